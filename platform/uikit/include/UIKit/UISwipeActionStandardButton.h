#pragma once
#include <UIKit/UIButton.h>

// One button of a swiped cell's actions (pin, alerts, delete): an icon and a title.
class UIKIT_EXTERN UISwipeActionStandardButton : public UIButton {
    RT_OBJECT(UISwipeActionStandardButton, UIButton)
};
