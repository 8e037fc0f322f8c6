#pragma once
#include <Preferences/PSSwitchTableCell.h>

// The host's switch row with its switch in the accent colour.
#define PQSWITCHCELL_METHODS(M, O, C) O(initWithStyle)

class PQSwitchCell : public PSSwitchTableCell {
    RT_OBJECT(PQSwitchCell, PSSwitchTableCell)
    RT_METHODS(PQSWITCHCELL_METHODS)

  private:
    BOOL buildContent(PSSpecifier* specifier);
};
