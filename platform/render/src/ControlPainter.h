#pragma once
#include "Canvas.h"

#include <UIKit/UIButton.h>
#include <UIKit/UISwitch.h>

namespace render {

// The content of controls that draw themselves.
class ControlPainter {
  public:
    // Image then title, side by side, centred in the bounds.
    static void paintButton(const Canvas& canvas, UIButton* button);
    // The platform's 51×31-point switch at the top left of its bounds.
    static void paintSwitch(const Canvas& canvas, UISwitch* control);

    static constexpr CGSize kSwitchSize{51, 31};
};

} // namespace render
