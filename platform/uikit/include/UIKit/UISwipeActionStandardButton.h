#pragma once
#include <UIKit/UIButton.h>

// One button of a swiped cell's actions (pin, alerts, delete): an icon and a
// title. Unlike a plain button, it holds its image view and title label as
// subviews, the icon centred above the title, so their tints show in the tree.
class UIKIT_EXTERN UISwipeActionStandardButton : public UIButton {
    RT_OBJECT(UISwipeActionStandardButton, UIButton)

  private:
    // Runtime "layoutSubviews".
    void placeContent();
};
