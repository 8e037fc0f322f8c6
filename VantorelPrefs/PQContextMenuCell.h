#pragma once
#include "PQContextMenuControl.h"

#include <Preferences/PSTableCell.h>
#include <UIKit/UIMenu.h>

// The row of a setting stored as an index into the row's "validTitles": its
// title on the left, the current choice in the accent colour on the right,
// and a menu with one entry per title (a checkmark on the current one) that
// opens at a tap and stores the chosen index at once.
#define PQCONTEXTMENUCELL_PROPERTIES(P)                                                                      \
    P(rt::Ref<UILabel>, headerLabel, setHeaderLabel, {})                                                     \
    P(rt::Ref<PQContextMenuControl>, menuButton, setMenuButton, {})                                          \
    P(NSInteger, selectedIndex, setSelectedIndex, 0)

// "contextMenuOptions:array:specifier:" answers the menu, one entry per
// title, the checkmark on the stored choice (which becomes `selectedIndex`);
// "didSelectOptionAtIndex:" records a choice.
#define PQCONTEXTMENUCELL_METHODS(M, O, C)                                                                   \
    O(initWithStyle)                                                                                         \
    M(rt::Ref<UIMenu>, contextMenuOptions,                                                                   \
      "contextMenuOptions:array:specifier:", (const std::string&, const ns::PlistArray&, PSSpecifier*))      \
    M(void, didSelectOptionAtIndex, "didSelectOptionAtIndex:", (NSInteger))                                  \
    O(didMoveToSuperview)

class PQContextMenuCell : public PSTableCell {
    RT_OBJECT(PQContextMenuCell, PSTableCell)
    RT_PROPERTIES(PQCONTEXTMENUCELL_PROPERTIES)
    RT_METHODS(PQCONTEXTMENUCELL_METHODS)

    static constexpr NSInteger kRowHeight = 44;
    static constexpr CGFloat kControlWidth = 120;
    static constexpr CGFloat kControlHeight = 35;
    static constexpr CGFloat kControlTrailing = -12;
    static constexpr CGFloat kTitleLeading = 17;
    static constexpr CGFloat kTitleToControl = -10;

  private:
    BOOL buildContent(PSSpecifier* specifier);
};
