#pragma once
#include <UIKit/UIView.h>

// The scroll indicator at the trailing edge of a scroll view.
class UIKIT_EXTERN _UIScrollViewScrollIndicator : public UIView {
    RT_OBJECT(_UIScrollViewScrollIndicator, UIView)
};
