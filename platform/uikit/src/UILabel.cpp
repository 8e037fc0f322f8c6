#include <UIKit/UILabel.h>

#include <objc/message.h>

struct UILabelAccess {
    static UILabel* label(id self) { return static_cast<UILabel*>(self); }
    static std::string& text(id self) { return label(self)->m_text; }
    static rt::Ref<UIColor>& textColor(id self) { return label(self)->m_textColor; }
};

namespace {

using A = UILabelAccess;

std::string text(id self, SEL) {
    return A::text(self);
}
void setText(id self, SEL, const std::string& text) {
    A::text(self) = text;
}
rt::Ref<UIColor> textColor(id self, SEL) {
    return A::textColor(self) ? A::textColor(self) : UIColor::labelColor();
}
void setTextColor(id self, SEL, UIColor* colour) {
    A::textColor(self) = colour;
}

[[maybe_unused]] const Class registered = UILabel::classObject();

} // namespace

Class UILabel::classObject() {
    static const Class cls = rt::defineClass("UILabel", UIView::classObject(), [](Class c, Class) {
        class_addMethod(c, rt::sel<"text">(), &::text);
        class_addMethod(c, rt::sel<"setText:">(), &::setText);
        class_addMethod(c, rt::sel<"textColor">(), &::textColor);
        class_addMethod(c, rt::sel<"setTextColor:">(), &::setTextColor);
        rt::setAllocator(c, &rt::allocate<UILabel>);
    });
    return cls;
}

std::string UILabel::text() {
    return rt::send<std::string()>(this, rt::sel<"text">());
}
void UILabel::setText(const std::string& text) {
    rt::send<void(const std::string&)>(this, rt::sel<"setText:">(), text);
}
rt::Ref<UIColor> UILabel::textColor() {
    return rt::send<rt::Ref<UIColor>()>(this, rt::sel<"textColor">());
}
void UILabel::setTextColor(UIColor* colour) {
    rt::send<void(UIColor*)>(this, rt::sel<"setTextColor:">(), colour);
}
