#include <UIKit/UISwitch.h>

#include <objc/message.h>

struct UISwitchAccess {
    static UISwitch* control(id self) { return static_cast<UISwitch*>(self); }
    static BOOL& on(id self) { return control(self)->m_on; }
    static rt::Ref<UIColor>& onTintColor(id self) { return control(self)->m_onTintColor; }
};

namespace {

using A = UISwitchAccess;

BOOL isOn(id self, SEL) {
    return A::on(self);
}
void setOn(id self, SEL, BOOL on) {
    A::on(self) = on;
}
rt::Ref<UIColor> onTintColor(id self, SEL) {
    return A::onTintColor(self);
}
void setOnTintColor(id self, SEL, UIColor* colour) {
    A::onTintColor(self) = colour;
}

[[maybe_unused]] const Class registered = UISwitch::classObject();

} // namespace

Class UISwitch::classObject() {
    static const Class cls = rt::defineClass("UISwitch", UIControl::classObject(), [](Class c, Class) {
        class_addMethod(c, rt::sel<"isOn">(), &::isOn);
        class_addMethod(c, rt::sel<"setOn:">(), &::setOn);
        class_addMethod(c, rt::sel<"onTintColor">(), &::onTintColor);
        class_addMethod(c, rt::sel<"setOnTintColor:">(), &::setOnTintColor);
        rt::setAllocator(c, &rt::allocate<UISwitch>);
    });
    return cls;
}

BOOL UISwitch::isOn() {
    return rt::send<BOOL()>(this, rt::sel<"isOn">());
}
void UISwitch::setOn(BOOL on) {
    rt::send<void(BOOL)>(this, rt::sel<"setOn:">(), on);
}
rt::Ref<UIColor> UISwitch::onTintColor() {
    return rt::send<rt::Ref<UIColor>()>(this, rt::sel<"onTintColor">());
}
void UISwitch::setOnTintColor(UIColor* colour) {
    rt::send<void(UIColor*)>(this, rt::sel<"setOnTintColor:">(), colour);
}

void UISwitch::toggleByUser(BOOL on) {
    setOn(on);
    sendActionsForControlEvents(UIControlEventValueChanged);
}
