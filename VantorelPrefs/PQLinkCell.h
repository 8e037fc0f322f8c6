#pragma once
#include <Preferences/PSTableCell.h>
#include <UIKit/UIImageView.h>

// A row that leads elsewhere: the symbol named by "sfIcon" in the accent
// colour, then the row's "title". Taps are the host's, as the layout says.
#define PQLINKCELL_PROPERTIES(P)                                                                             \
    P(rt::Ref<UIImageView>, iconImage, setIconImage, {})                                                     \
    P(rt::Ref<UILabel>, headerLabel, setHeaderLabel, {})

class PQLinkCell : public PSTableCell {
    RT_OBJECT(PQLinkCell, PSTableCell)
    RT_PROPERTIES(PQLINKCELL_PROPERTIES)

    static constexpr CGFloat kIconSize = 29;
    static constexpr CGFloat kIconLeading = 12;
    static constexpr CGFloat kTitleAfterIcon = 10;
};
