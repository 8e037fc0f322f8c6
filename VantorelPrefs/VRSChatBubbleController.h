#pragma once
#include "VRSExternalController.h"

// The "ChatBubble" page.
class VRSChatBubbleController : public VRSExternalController {
  public:
    static Class classObject();
    explicit VRSChatBubbleController(Class cls) : VRSExternalController(cls) {}
};
