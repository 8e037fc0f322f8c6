#pragma once
#include <CoreGraphics/CGGeometry.h>
#include <UIKit/UIKitDefines.h>
#include <objc/Weak.h>

#include <vector>

class UIView;
class UIWindow;

// One finger on the screen: the view it landed on and where it is, in the
// coordinates of the top of that view's hierarchy (the window, when there is one).
class UIKIT_EXTERN UITouch : public NSObject {
    RT_OBJECT(UITouch, NSObject)

    static rt::Ref<UITouch> touchInView(UIView* view, CGPoint locationInView);

    rt::Ref<UIView> view() const;
    // The touch's location in `view`'s coordinates (frames only: transforms
    // are not undone).
    CGPoint locationInView(UIView* view) const;
    // Moves the finger to `location` in `view`'s coordinates.
    void moveTo(UIView* view, CGPoint location);

  private:
    rt::Weak<UIView> m_view;
    CGPoint m_location{}; // in the top view's coordinates
};

using UITouchSet = std::vector<rt::Ref<UITouch>>;

namespace uikit {

// The point of `view` in the coordinates of the top of its hierarchy.
UIKIT_EXTERN CGPoint convertToTop(const UIView* view, CGPoint point);

// The deepest view under `point` (in `root`'s coordinates) that takes touches:
// visible, not faded out, and not a label or image view (which pass touches
// through). Later subviews lie on top. Null when the point is outside `root`.
UIKIT_EXTERN rt::Ref<UIView> hitTest(UIView* root, CGPoint point);

// A finger lifted where it went down: a tap on the centre of `target`, found
// by hit-testing from `within` as a finger on the screen would. The touch
// goes to the view hit, which may not be `target` when something covers it.
// Answers the view that got the touch.
UIKIT_EXTERN rt::Ref<UIView> tap(UIView* within, UIView* target);

} // namespace uikit
