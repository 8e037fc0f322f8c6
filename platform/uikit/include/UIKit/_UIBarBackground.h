#pragma once
#include <UIKit/UIView.h>

// The background view of a bar, behind its content.
class UIKIT_EXTERN _UIBarBackground : public UIView {
    RT_OBJECT(_UIBarBackground, UIView)
};
