#pragma once
#include "VRSExternalController.h"

// The "BackgroundColour" page.
class VRSBackgroundColourController : public VRSExternalController {
  public:
    static Class classObject();
    explicit VRSBackgroundColourController(Class cls) : VRSExternalController(cls) {}
};
