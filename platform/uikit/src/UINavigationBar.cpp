#include <UIKit/UINavigationBar.h>

#include <objc/message.h>

RT_DEFINE_CLASS(UINavigationBar, [](Class cls, Class) {
    // Whether the bar may draw its blurred backdrop.
    class_addMethod(
        cls, rt::sel<"_canShowBackgroundEffects">(), +[](id, SEL) -> BOOL { return YES; });
    // The proxy's tint is its own; a bar's is inherited as for any view.
    class_addMethod(
        cls, rt::sel<"tintColor">(), +[](id self, SEL cmd) -> rt::Ref<UIColor> {
            auto* bar = static_cast<UINavigationBar*>(self);
            if (bar->isAppearanceProxy())
                return bar->ownTintColor();
            return rt::sendSuper<rt::Ref<UIColor>()>(self, UINavigationBar::classObject(), cmd);
        });
    class_addMethod(
        cls, rt::sel<"layoutSubviews">(),
        +[](id self, SEL) { static_cast<UINavigationBar*>(self)->placeBackground(); });
})

UINavigationBar::UINavigationBar(Class cls) : UIView(cls), m_barBackground(rt::make<_UIBarBackground>()) {
    addSubview(m_barBackground);
    rt::Ref<UINavigationBar> proxy = appearance();
    if (rt::Ref<UIColor> tint = proxy->ownTintColor())
        setTintColor(tint);
    if (rt::Ref<UIColor> barTint = proxy->barTintColor())
        setBarTintColor(barTint);
}

UINavigationBar::UINavigationBar(Class cls, ProxyTag) : UIView(cls), m_isAppearanceProxy(true) {}

rt::Ref<UINavigationBar> UINavigationBar::appearance() {
    static const rt::Ref<UINavigationBar> proxy = rt::make<UINavigationBar>(ProxyTag{});
    return proxy;
}

void UINavigationBar::placeBackground() {
    const CGRect bounds = this->bounds();
    m_barBackground->setFrame(
        CGRectMake(0, -kStatusBarHeight, bounds.size.width, bounds.size.height + kStatusBarHeight));
}
