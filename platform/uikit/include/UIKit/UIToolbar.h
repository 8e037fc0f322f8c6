#pragma once
#include <UIKit/UIView.h>

// The bar of buttons at the bottom of a screen, shown by Messages in edit mode.
#define UITOOLBAR_PROPERTIES(P) P(rt::Ref<UIColor>, barTintColor, setBarTintColor, {})

class UIKIT_EXTERN UIToolbar : public UIView {
    RT_OBJECT(UIToolbar, UIView)
    RT_PROPERTIES(UITOOLBAR_PROPERTIES)
};
