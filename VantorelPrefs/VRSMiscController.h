#pragma once
#include "VRSExternalController.h"

// The "Misc" page.
class VRSMiscController : public VRSExternalController {
  public:
    static Class classObject();
    explicit VRSMiscController(Class cls) : VRSExternalController(cls) {}
};
