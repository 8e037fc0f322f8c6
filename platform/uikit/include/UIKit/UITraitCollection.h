#pragma once
#include <UIKit/UIKitDefines.h>

enum class UIUserInterfaceStyle { unspecified, light, dark };

// The appearance that appearance-dependent colours resolve against. One per
// process: the simulated device shows one appearance at a time. A process
// starts with the look named by SIMDEVICE_APPEARANCE ("light" or "dark";
// light when unset), which the simulator passes to every process it starts.
class UIKIT_EXTERN UITraitCollection {
  public:
    static constexpr const char* kAppearanceVariable = "SIMDEVICE_APPEARANCE";

    static UIUserInterfaceStyle currentUserInterfaceStyle();
    static void setCurrentUserInterfaceStyle(UIUserInterfaceStyle style);
};
