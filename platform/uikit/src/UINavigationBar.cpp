#include <UIKit/UINavigationBar.h>

#include <objc/message.h>

struct UINavigationBarAccess {
    static UINavigationBar* bar(id self) { return static_cast<UINavigationBar*>(self); }
    static BOOL& prefersLargeTitles(id self) { return bar(self)->m_prefersLargeTitles; }
    static rt::Ref<UIColor>& barTintColor(id self) { return bar(self)->m_barTintColor; }
};

namespace {

using A = UINavigationBarAccess;

BOOL prefersLargeTitles(id self, SEL) {
    return A::prefersLargeTitles(self);
}
void setPrefersLargeTitles(id self, SEL, BOOL value) {
    A::prefersLargeTitles(self) = value;
}
rt::Ref<UIColor> barTintColor(id self, SEL) {
    return A::barTintColor(self);
}
void setBarTintColor(id self, SEL, UIColor* colour) {
    A::barTintColor(self) = colour;
}

rt::Ref<UIColor> tintColor(id self, SEL cmd) {
    UINavigationBar* bar = A::bar(self);
    if (bar->isAppearanceProxy())
        return bar->ownTintColor();
    return rt::sendSuper<rt::Ref<UIColor>()>(self, UINavigationBar::classObject(), cmd);
}

[[maybe_unused]] const Class registered = UINavigationBar::classObject();

} // namespace

Class UINavigationBar::classObject() {
    static const Class cls = rt::defineClass("UINavigationBar", UIView::classObject(), [](Class c, Class) {
        class_addMethod(c, rt::sel<"prefersLargeTitles">(), &::prefersLargeTitles);
        class_addMethod(c, rt::sel<"setPrefersLargeTitles:">(), &::setPrefersLargeTitles);
        class_addMethod(c, rt::sel<"barTintColor">(), &::barTintColor);
        class_addMethod(c, rt::sel<"setBarTintColor:">(), &::setBarTintColor);
        class_addMethod(c, rt::sel<"tintColor">(), &::tintColor);
        rt::setAllocator(c, &rt::allocate<UINavigationBar>);
    });
    return cls;
}

UINavigationBar::UINavigationBar(Class cls) : UIView(cls) {
    rt::Ref<UINavigationBar> proxy = appearance();
    if (rt::Ref<UIColor> tint = proxy->ownTintColor())
        setTintColor(tint);
    if (rt::Ref<UIColor> barTint = proxy->m_barTintColor)
        setBarTintColor(barTint);
}

UINavigationBar::UINavigationBar(ProxyTag) : UIView(classObject()), m_isAppearanceProxy(true) {}

rt::Ref<UINavigationBar> UINavigationBar::appearance() {
    static const rt::Ref<UINavigationBar> proxy(new UINavigationBar(ProxyTag{}));
    return proxy;
}

BOOL UINavigationBar::prefersLargeTitles() {
    return rt::send<BOOL()>(this, rt::sel<"prefersLargeTitles">());
}
void UINavigationBar::setPrefersLargeTitles(BOOL value) {
    rt::send<void(BOOL)>(this, rt::sel<"setPrefersLargeTitles:">(), value);
}
rt::Ref<UIColor> UINavigationBar::barTintColor() {
    return rt::send<rt::Ref<UIColor>()>(this, rt::sel<"barTintColor">());
}
void UINavigationBar::setBarTintColor(UIColor* colour) {
    rt::send<void(UIColor*)>(this, rt::sel<"setBarTintColor:">(), colour);
}
