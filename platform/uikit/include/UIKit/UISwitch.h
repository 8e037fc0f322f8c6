#pragma once
#include <UIKit/UIControl.h>

// An on/off control.
class UIKIT_EXTERN UISwitch : public UIControl {
  public:
    static Class classObject();
    UISwitch() : UISwitch(classObject()) {}
    explicit UISwitch(Class cls) : UIControl(cls) {}

    // Runtime methods "isOn" and "setOn:". Setting the state in code sends no action.
    BOOL isOn();
    void setOn(BOOL on);
    void setOn(BOOL on, BOOL animated) { (void)animated, setOn(on); }
    // Runtime methods "onTintColor" and "setOnTintColor:"; nil is the platform's green.
    rt::Ref<UIColor> onTintColor();
    void setOnTintColor(UIColor* colour);

    // What a user's flip does: the new state, then the value-changed actions.
    void toggleByUser(BOOL on);

  private:
    friend struct UISwitchAccess;
    BOOL m_on = NO;
    rt::Ref<UIColor> m_onTintColor;
};
