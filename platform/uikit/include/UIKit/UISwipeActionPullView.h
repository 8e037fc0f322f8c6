#pragma once
#include <UIKit/UISwipeActionStandardButton.h>

// The strip of action buttons a swiped cell reveals, side by side in equal widths.
class UIKIT_EXTERN UISwipeActionPullView : public UIView {
    RT_OBJECT(UISwipeActionPullView, UIView)

    // A button showing the action's icon (Messages' actions show no titles) in white on the action's colour.
    rt::Ref<UISwipeActionStandardButton> addAction(UIImage* icon, UIColor* colour);

  private:
    // Runtime "layoutSubviews".
    void placeButtons();
};
