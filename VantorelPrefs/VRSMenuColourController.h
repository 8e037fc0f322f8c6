#pragma once
#include "VRSExternalController.h"

// The "MenuColour" page.
class VRSMenuColourController : public VRSExternalController {
  public:
    static Class classObject();
    explicit VRSMenuColourController(Class cls) : VRSExternalController(cls) {}
};
