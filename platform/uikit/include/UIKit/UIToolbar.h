#pragma once
#include <UIKit/UIBarButtonItem.h>
#include <UIKit/UIView.h>

#include <vector>

// The bar of buttons at the bottom of a screen, shown by Messages in edit mode.
#define UITOOLBAR_PROPERTIES(P)                                                                              \
    P(rt::Ref<UIColor>, barTintColor, setBarTintColor, {})                                                   \
    P(std::vector<rt::Ref<UIBarButtonItem>>, items, setItems, {})

class UIKIT_EXTERN UIToolbar : public UIView {
    RT_OBJECT(UIToolbar, UIView)
    RT_PROPERTIES(UITOOLBAR_PROPERTIES)
};
