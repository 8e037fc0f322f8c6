#pragma once
// Toolbars, navigation bars, the entry field and the entry view around it,
// the keyboard backdrop, the app drawer footer and the transcript background.
#include "Hook.h"
#include "ThemeLookups.h"

#include <UIKit/UIWindow.h>

namespace bars {

using theme::asView;
using theme::colour;

inline rt::Ref<UIColor> toolbarBarTintColor(id, SEL) {
    return colour("toolbar");
}

// Whatever the caller passes, the toolbar takes the theme's tint.
inline void toolbarSetBarTintColor(id self, SEL cmd, UIColor*) {
    rt::Ref<UIColor> tint = colour("toolbar");
    Hook<&toolbarSetBarTintColor>::previous(self, cmd, tint);
}

// The platform lays the view out first; then its background takes the key.
// `ClassName` gives each class's row a slot of its own.
template <rt::SelectorName ClassName, rt::SelectorName Key> void backgroundAfterLayout(id self, SEL cmd) {
    Hook<&backgroundAfterLayout<ClassName, Key>>::previous(self, cmd);
    if (UIView* view = asView(self))
        view->setBackgroundColor(colour(Key.value));
}

// The entry view's own backgrounds go transparent and it takes the theme's colour.
inline void entryViewLayoutSubviews(id self, SEL cmd) {
    Hook<&entryViewLayoutSubviews>::previous(self, cmd);
    if (rt::Ref<UIView> background = rt::send<rt::Ref<UIView>()>(self, rt::sel<"backgroundView">()))
        background->setAlpha(0.0);
    if (rt::Ref<UIView> blur = rt::send<rt::Ref<UIView>()>(self, rt::sel<"appStripBackgroundBlurView">()))
        blur->setAlpha(0.0);
    if (UIView* view = asView(self))
        view->setBackgroundColor(colour("entryfieldbackground"));
}

inline BOOL entryViewShouldOpaqueBackgroundView(id, SEL) {
    return YES;
}

inline BOOL navigationBarCanShowBackgroundEffects(id, SEL) {
    return NO;
}

inline void navigationBarLayoutSubviews(id self, SEL cmd) {
    Hook<&navigationBarLayoutSubviews>::previous(self, cmd);
    rt::Ref<UIColor> tint = colour("navbarbackground");
    rt::send<void(UIColor*)>(self, rt::sel<"setBarTintColor:">(), tint.get());
}

// An image view inside any bar's background takes the bar colour; every
// other image view keeps exactly what it is given.
inline void imageViewSetBackgroundColor(id self, SEL cmd, UIColor* colourGiven) {
    rt::Ref<UIColor> chosen = colourGiven;
    rt::Ref<UIResponder> next = rt::send<rt::Ref<UIResponder>()>(self, rt::sel<"nextResponder">());
    Class barBackground = objc_getClass("_UIBarBackground");
    if (next && barBackground && next->isKindOfClass(barBackground))
        chosen = colour("navbarbackground");
    Hook<&imageViewSetBackgroundColor>::previous(self, cmd, chosen);
}

inline rt::Ref<UIColor> barBackgroundLayoutBg1Color(id, SEL) {
    return colour("navbarbackground");
}

} // namespace bars
