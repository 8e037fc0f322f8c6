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
#define PQ_CELL_INITIALISER(Cell)                                                                            \
    id Cell::initWithStyleImpl(UITableViewCellStyle style, const std::string& reuseIdentifier,               \
                               PSSpecifier* specifier) {                                                     \
        if (!initWithStyleSuper(style, reuseIdentifier, specifier))                                          \
            return nullptr;                                                                                  \
        return buildContent(specifier) ? this : nullptr;                                                     \
    }
