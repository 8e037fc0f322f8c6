#pragma once
#include <UIKit/UIButton.h>

// The image view and title label are what the plain button answers, kept as
// subviews of this one.
#define UISWIPEACTIONSTANDARDBUTTON_METHODS(M, O, C)                                                         \
    O(imageView)                                                                                             \
    O(titleLabel)                                                                                            \
    O(layoutSubviews)

// One button of a swiped cell's actions (pin, alerts, delete): an icon and a
// title. Unlike a plain button, it holds its image view and title label as
// subviews, the icon centred above the title, so their tints show in the tree.
class UIKIT_EXTERN UISwipeActionStandardButton : public UIButton {
    RT_OBJECT(UISwipeActionStandardButton, UIButton)
    RT_METHODS(UISWIPEACTIONSTANDARDBUTTON_METHODS)

  private:
    template <class View> rt::Ref<View> adopt(rt::Ref<View> view);
};
