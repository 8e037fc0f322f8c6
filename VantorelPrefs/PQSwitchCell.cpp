#include "PQSwitchCell.h"

#include "PQCellInitialiser.h"
#include "PQPrefs.h"

RT_DEFINE_CLASS(PQSwitchCell, nullptr)

PQ_CELL_INITIALISER(PQSwitchCell)

BOOL PQSwitchCell::buildContent(PSSpecifier*) {
    control()->setOnTintColor(PQPrefs::shared()->accentColour());
    return YES;
}
