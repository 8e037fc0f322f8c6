#include <UIKit/_UIBarBackground.h>

#include <objc/message.h>

RT_DEFINE_CLASS(_UIBarBackground, nullptr)

_UIBarBackground::_UIBarBackground(Class cls) : UIView(cls) {
    rt::Ref<_UIBarBackgroundLayoutModern> modern = rt::make<_UIBarBackgroundLayoutModern>();
    setLayout(modern);
    rt::Ref<UIImageView> shadow = rt::make<UIImageView>();
    addSubview(shadow);
    setShadowView(shadow);
}

void _UIBarBackground::layoutSubviewsImpl() {
    if (rt::Ref<_UIBarBackgroundLayoutModern> modern = layout())
        setBackgroundColor(modern->bg1Color());
    if (rt::Ref<UIImageView> shadow = shadowView()) {
        const CGRect bounds = this->bounds();
        const CGFloat hairline = 1.0 / 3.0; // one pixel at three pixels per point
        shadow->setFrame(CGRectMake(0, bounds.size.height, bounds.size.width, hairline));
        shadow->setBackgroundColor(UIColor::separatorColor());
    }
}
