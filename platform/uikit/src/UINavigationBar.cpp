#include <UIKit/UINavigationBar.h>

#include <objc/message.h>

RT_DEFINE_CLASS(UINavigationBar, nullptr)

BOOL UINavigationBar::_canShowBackgroundEffectsImpl() {
    return YES;
}

rt::Ref<UIColor> UINavigationBar::tintColorImpl() {
    if (isAppearanceProxy())
        return ownTintColor();
    return tintColorSuper();
}

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

void UINavigationBar::layoutSubviewsImpl() {
    const CGRect bounds = this->bounds();
    m_barBackground->setFrame(
        CGRectMake(0, -kStatusBarHeight, bounds.size.width, bounds.size.height + kStatusBarHeight));
}
