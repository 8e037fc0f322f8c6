#pragma once
#include "VRSExternalController.h"

// The "ConversationList" page.
class VRSConversationListController : public VRSExternalController {
  public:
    static Class classObject();
    explicit VRSConversationListController(Class cls) : VRSExternalController(cls) {}
};
