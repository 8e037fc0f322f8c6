#pragma once
#include <Preferences/PSSwitchTableCell.h>
#include <UIKit/UIButton.h>

// A switch row in the accent colour with its own title and an info button
// that explains the row in an alert: the row's "title" and "message".
#define PQINFOSWITCHCELL_PROPERTIES(P) P(rt::Ref<UILabel>, headerLabel, setHeaderLabel, {})

// "infoButtonTapped" shows the alert.
#define PQINFOSWITCHCELL_METHODS(M, O, C)                                                                    \
    O(initWithStyle)                                                                                         \
    M(void, infoButtonTapped, "infoButtonTapped", ())

class PQInfoSwitchCell : public PSSwitchTableCell {
    RT_OBJECT(PQInfoSwitchCell, PSSwitchTableCell)
    RT_PROPERTIES(PQINFOSWITCHCELL_PROPERTIES)
    RT_METHODS(PQINFOSWITCHCELL_METHODS)

    static constexpr CGFloat kInfoTrailing = -4;
    static constexpr CGFloat kTitleLeading = 10;
    static constexpr CGFloat kTitleToInfo = -10;
    static constexpr const char* kNoMessage = "No information provided for this cell";

    // The info button at the content view's trailing edge.
    rt::Ref<UIButton> _infoButton;

  private:
    BOOL buildContent(PSSpecifier* specifier);
};
