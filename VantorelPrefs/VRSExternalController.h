#pragma once
#include <Preferences/PSListController.h>

// Base of the ten sub-pages: everything but the rows, which each adds.
class VRSExternalController : public PSListController {
  public:
    static Class classObject();
    explicit VRSExternalController(Class cls) : PSListController(cls) {}
};
