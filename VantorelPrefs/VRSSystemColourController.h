#pragma once
#include "VRSExternalController.h"

// The "SystemColour" page.
class VRSSystemColourController : public VRSExternalController {
  public:
    static Class classObject();
    explicit VRSSystemColourController(Class cls) : VRSExternalController(cls) {}
};
