#pragma once
#include <UIKit/UIVisualEffectView.h>

// The keyboard's backdrop.
class UIKIT_EXTERN UIKBVisualEffectView : public UIVisualEffectView {
    RT_OBJECT(UIKBVisualEffectView, UIVisualEffectView)
};
