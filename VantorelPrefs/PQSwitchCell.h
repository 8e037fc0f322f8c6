#pragma once
#include <Preferences/PSSwitchTableCell.h>

// The host's switch row with its switch in the accent colour.
class PQSwitchCell : public PSSwitchTableCell {
    RT_OBJECT(PQSwitchCell, PSSwitchTableCell)
};
