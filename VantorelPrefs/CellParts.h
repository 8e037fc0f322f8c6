#pragma once
#include <Preferences/PSTableCell.h>
#include <UIKit/UIImageView.h>
#include <UIKit/UILabel.h>

#include <string>

// The pieces the pane's cells build themselves from, each added to the cell
// itself (not its content view) and centred on the row. The cell places the
// other end.
namespace cellParts {

// The row's "title" at 17 points in `colour`, its leading edge `gap` after
// `after` and, given `before`, its trailing edge `beforeGap` from it.
rt::Ref<UILabel> title(PSTableCell* cell, const PSSpecifier* row, UIColor* colour, NSLayoutXAxisAnchor* after,
                       CGFloat gap, NSLayoutXAxisAnchor* before = nullptr, CGFloat beforeGap = 0);

// The system symbol `name` in `colour`, `side` points square; an unknown
// symbol leaves its space empty.
rt::Ref<UIImageView> symbol(PSTableCell* cell, const std::string& name, UIColor* colour, CGFloat side);

// Points the cell's row at the cell: a tap on it sends `action` to the cell.
void routeTaps(PSTableCell* cell, SEL action);

} // namespace cellParts
