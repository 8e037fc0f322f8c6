#pragma once
#include <UIKit/UIKitDefines.h>

enum class UIUserInterfaceStyle { unspecified, light, dark };

// The appearance that appearance-dependent colours resolve against. One per
// process: the simulated device shows one appearance at a time.
class UIKIT_EXTERN UITraitCollection {
  public:
    static UIUserInterfaceStyle currentUserInterfaceStyle();
    static void setCurrentUserInterfaceStyle(UIUserInterfaceStyle style);
};
