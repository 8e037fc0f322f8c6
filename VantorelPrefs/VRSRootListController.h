#pragma once
#include <Preferences/PSListController.h>

// The pane's first page: the master switch and the links to the ten others.
class VRSRootListController : public PSListController {
  public:
    static Class classObject();
    explicit VRSRootListController(Class cls) : PSListController(cls) {}
};
