#pragma once
#include <Preferences/PSTableCell.h>

// The pane's cells override "initWithStyle:reuseIdentifier:specifier:" (an
// O(initWithStyle) line) only to build their content once the host's cell is
// made. In the cell's source, the one line
//
//     PQ_CELL_INITIALISER(PQLinkCell)
//
// defines it: the host's initialiser, then the cell's own
// `BOOL buildContent(PSSpecifier*)`; a cell that cannot be built answers nil.
// A cell whose taps always go to itself, to `Selector`, whatever its row
// says: the lines of its method list, and in its source the answers.
#define PQ_CELL_TAP_METHODS(M, O, C) O(target) O(cellTarget) O(action) O(cellAction)
#define PQ_CELL_TAPS_GO_TO(Cell, Selector)                                                                   \
    rt::Ref<objc_object> Cell::targetImpl() {                                                                \
        return rt::Ref<objc_object>(this);                                                                   \
    }                                                                                                        \
    rt::Ref<objc_object> Cell::cellTargetImpl() {                                                            \
        return targetImpl();                                                                                 \
    }                                                                                                        \
    SEL Cell::actionImpl() {                                                                                 \
        return rt::sel<Selector>();                                                                          \
    }                                                                                                        \
    SEL Cell::cellActionImpl() {                                                                             \
        return actionImpl();                                                                                 \
    }

#define PQ_CELL_INITIALISER(Cell)                                                                            \
    id Cell::initWithStyleImpl(UITableViewCellStyle style, const std::string& reuseIdentifier,               \
                               PSSpecifier* specifier) {                                                     \
        if (!initWithStyleSuper(style, reuseIdentifier, specifier))                                          \
            return nullptr;                                                                                  \
        return buildContent(specifier) ? this : nullptr;                                                     \
    }
