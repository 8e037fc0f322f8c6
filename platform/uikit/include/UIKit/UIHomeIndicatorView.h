#pragma once
#include <UIKit/UIView.h>

// The bar at the foot of the screen that a swipe up takes home; drawn in the
// status bar's content colour.
class UIKIT_EXTERN UIHomeIndicatorView : public UIView {
    RT_OBJECT_WITH_CONSTRUCTOR(UIHomeIndicatorView, UIView)

    static constexpr CGSize kSize{134, 5};
    static constexpr CGFloat kBottomInset = 8;

    // Where the indicator sits on a screen of `size`.
    static CGRect frameOnScreen(CGSize size);
};
