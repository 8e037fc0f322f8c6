#pragma once
#include "VRSExternalController.h"

// The "Chat" page.
class VRSChatController : public VRSExternalController {
  public:
    static Class classObject();
    explicit VRSChatController(Class cls) : VRSExternalController(cls) {}
};
