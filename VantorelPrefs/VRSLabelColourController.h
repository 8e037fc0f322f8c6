#pragma once
#include "VRSExternalController.h"

// The "LabelColour" page.
class VRSLabelColourController : public VRSExternalController {
  public:
    static Class classObject();
    explicit VRSLabelColourController(Class cls) : VRSExternalController(cls) {}
};
