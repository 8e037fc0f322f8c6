#pragma once
#include <Preferences/PSTableCell.h>
#include <UIKit/UIImageView.h>

// A taller two-line row: the "title" in the accent colour, the "subtitle" in
// grey below it, and the small "accessoriesSFIcon" symbol at the trailing
// edge. It writes its height, 60 points, into the row.
#define PQBUTTONCELL_PROPERTIES(P)                                                                           \
    P(rt::Ref<UIImageView>, linkImage, setLinkImage, {})                                                     \
    P(rt::Ref<UILabel>, headerLabel, setHeaderLabel, {})                                                     \
    P(rt::Ref<UILabel>, subtitleLabel, setSubtitleLabel, {})                                                 \
    P(rt::Ref<UIColor>, tintColour, setTintColour, {})

#define PQBUTTONCELL_METHODS(M, O) O(initWithStyle)

class PQButtonCell : public PSTableCell {
    RT_OBJECT(PQButtonCell, PSTableCell)
    RT_PROPERTIES(PQBUTTONCELL_PROPERTIES)
    RT_METHODS(PQBUTTONCELL_METHODS)

    static constexpr NSInteger kRowHeight = 60;
    static constexpr CGFloat kSymbolSize = 16;
    static constexpr CGFloat kEdge = 10;       // leading and trailing gaps
    static constexpr CGFloat kLineOffset = 10; // each line's centre from the row's
    static constexpr CGFloat kTitleFontSize = 17;
    static constexpr CGFloat kSubtitleFontSize = 12;

  private:
    BOOL buildContent(PSSpecifier* specifier);
};
