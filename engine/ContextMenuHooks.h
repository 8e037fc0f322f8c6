#pragma once
// Context menus: their background, and the icon, title and subtitle of each action.
#include "Hook.h"
#include "ThemeLookups.h"

#include <UIKit/UIWindow.h>

namespace menus {

using theme::asView;
using theme::colour;

inline UIView* firstSubview(UIView* view) {
    return view && !view->subviews().empty() ? view->subviews().front().get() : nullptr;
}

// Two levels below the list view the menu shows its background; two levels
// further down a second backdrop is made transparent. A level that is missing
// leaves the menu as it is. Runs whichever window the list moves to, nil included.
template <rt::SelectorName ClassName> void listWillMoveToWindow(id self, SEL cmd, UIWindow* window) {
    UIView* first = firstSubview(asView(self));
    UIView* background = firstSubview(first);
    UIView* backdrop = firstSubview(firstSubview(background));
    if (background && backdrop) {
        background->setBackgroundColor(colour("contextMenuBackground"));
        backdrop->setBackgroundColor(colour("contextMenuBackground"));
        backdrop->setAlpha(0.0);
    }
    Hook<&listWillMoveToWindow<ClassName>>::previous(self, cmd, window);
}

template <rt::SelectorName ClassName> void actionRowLayoutSubviews(id self, SEL cmd) {
    Hook<&actionRowLayoutSubviews<ClassName>>::previous(self, cmd);
    if (rt::Ref<UIView> icon = rt::send<rt::Ref<UIView>()>(self, rt::sel<"trailingImageView">()))
        icon->setTintColor(colour("contextMenuIcon"));
    if (rt::Ref<UILabel> title = rt::send<rt::Ref<UILabel>()>(self, rt::sel<"titleLabel">()))
        title->setTextColor(colour("contextMenuTitle"));
    if (rt::Ref<UILabel> subtitle = rt::send<rt::Ref<UILabel>()>(self, rt::sel<"subtitleLabel">()))
        subtitle->setTextColor(colour("contextMenuSubtitle"));
}

} // namespace menus
