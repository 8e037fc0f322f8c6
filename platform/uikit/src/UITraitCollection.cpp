#include <UIKit/UITraitCollection.h>

#include <atomic>

namespace {
std::atomic<UIUserInterfaceStyle> g_style{UIUserInterfaceStyle::light};
}

UIUserInterfaceStyle UITraitCollection::currentUserInterfaceStyle() {
    return g_style.load();
}

void UITraitCollection::setCurrentUserInterfaceStyle(UIUserInterfaceStyle style) {
    g_style.store(style == UIUserInterfaceStyle::unspecified ? UIUserInterfaceStyle::light : style);
}
