#pragma once
#include <Foundation/Result.h>
#include <Render/RenderDefines.h>
#include <UIKit/UIImage.h>
#include <UIKit/UIView.h>
#include <UIKit/UIWindow.h>

#include <string>

namespace render {

// Pixels per point unless asked otherwise: a 390×844-point window is 1170×2532 pixels.
inline constexpr double kDefaultScale = 3.0;

// Draws a view tree as the device's screen shows it: each view at the frame
// set on it, over the screen's black, in the process's light or dark look.
class RENDER_EXPORT Screenshot {
  public:
    // The view and its subviews at `scale` pixels per point; nil when there is
    // no view, the scale is not positive or the picture would be over the
    // platform's image size limits.
    static rt::Ref<UIImage> draw(UIView* view, double scale = kDefaultScale);
    // The window drawn and written as PNG to a file of this machine (replaced
    // in one step).
    static ns::Result<void> writePNG(UIWindow* window, const std::string& hostPath,
                                     double scale = kDefaultScale);
};

} // namespace render
