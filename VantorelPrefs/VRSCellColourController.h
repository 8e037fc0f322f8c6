#pragma once
#include "VRSExternalController.h"

// The "CellColour" page.
class VRSCellColourController : public VRSExternalController {
  public:
    static Class classObject();
    explicit VRSCellColourController(Class cls) : VRSExternalController(cls) {}
};
