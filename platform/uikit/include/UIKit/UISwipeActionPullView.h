#pragma once
#include <UIKit/UISwipeActionStandardButton.h>

#define UISWIPEACTIONPULLVIEW_METHODS(M, O, C) O(layoutSubviews)

// The strip of action buttons a swiped cell reveals, side by side in equal widths.
class UIKIT_EXTERN UISwipeActionPullView : public UIView {
    RT_OBJECT(UISwipeActionPullView, UIView)
    RT_METHODS(UISWIPEACTIONPULLVIEW_METHODS)

    // A button showing the action's icon (Messages' actions show no titles) in white on the action's colour.
    rt::Ref<UISwipeActionStandardButton> addAction(UIImage* icon, UIColor* colour);
};
