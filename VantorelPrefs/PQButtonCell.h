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

#define PQBUTTONCELL_METHODS(M, O, C) O(initWithStyle)

class PQButtonCell : public PSTableCell {
    RT_OBJECT(PQButtonCell, PSTableCell)
    RT_PROPERTIES(PQBUTTONCELL_PROPERTIES)
    RT_METHODS(PQBUTTONCELL_METHODS)

  private:
    BOOL buildContent(PSSpecifier* specifier);
};
