#pragma once
#include <UIKit/UIView.h>

// The strip of action buttons a swiped cell reveals.
class UIKIT_EXTERN UISwipeActionPullView : public UIView {
    RT_OBJECT(UISwipeActionPullView, UIView)
};
