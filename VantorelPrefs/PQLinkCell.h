#pragma once
#include <Preferences/PSTableCell.h>
#include <UIKit/UIImageView.h>

// A row that leads elsewhere: the symbol named by "sfIcon" in the accent
// colour, then the row's "title". Taps are the host's, as the layout says.
#define PQLINKCELL_PROPERTIES(P)                                                                             \
    P(rt::Ref<UIImageView>, iconImage, setIconImage, {})                                                     \
    P(rt::Ref<UILabel>, headerLabel, setHeaderLabel, {})

#define PQLINKCELL_METHODS(M, O, C)                                                                          \
    O(initWithStyle)                                                                                         \
    M(rt::Ref<UIColor>, colorWithHexString, "colorWithHexString:", (const std::string&))

class PQLinkCell : public PSTableCell {
    RT_OBJECT(PQLinkCell, PSTableCell)
    RT_PROPERTIES(PQLINKCELL_PROPERTIES)
    RT_METHODS(PQLINKCELL_METHODS)

  private:
    BOOL buildContent(PSSpecifier* specifier);
};
