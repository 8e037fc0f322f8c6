#pragma once
#include <UIKit/UIControl.h>

// An on/off control. Setting the state in code sends no action; a nil on-tint
// is the platform's green.
#define UISWITCH_PROPERTIES(P)                                                                               \
    P(BOOL, isOn, setOn, NO)                                                                                 \
    P(rt::Ref<UIColor>, onTintColor, setOnTintColor, {})

// The platform's switch has one size.
#define UISWITCH_METHODS(M, O, C) O(intrinsicContentSize)

class UIKIT_EXTERN UISwitch : public UIControl {
    RT_OBJECT(UISwitch, UIControl)
    RT_PROPERTIES(UISWITCH_PROPERTIES)
    RT_METHODS(UISWITCH_METHODS)

    void setOn(BOOL on, BOOL animated) { (void)animated, setOn(on); }

    // What a user's flip does: the new state, then the value-changed actions.
    void toggleByUser(BOOL on);
};
