#pragma once
#include "VRSExternalController.h"

// The "Navigation" page.
class VRSNavigationController : public VRSExternalController {
  public:
    static Class classObject();
    explicit VRSNavigationController(Class cls) : VRSExternalController(cls) {}
};
