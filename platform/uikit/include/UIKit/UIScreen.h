#pragma once
#include <UIKit/UIView.h>

// The phone's screen: 390 by 844 points. Views made before they are placed
// (a controller's view on loading) start with its bounds.
#define UISCREEN_METHODS(M, O, C) M(CGRect, bounds, "bounds", ())

class UIKIT_EXTERN UIScreen : public NSObject {
    RT_OBJECT(UIScreen, NSObject)
    RT_METHODS(UISCREEN_METHODS)

    static constexpr CGFloat kWidth = 390;
    static constexpr CGFloat kHeight = 844;

    // Class method "mainScreen".
    static rt::Ref<UIScreen> mainScreen();
};
