#include <UIKit/UITraitCollection.h>

#include <atomic>
#include <cstdlib>
#include <cstring>

namespace {

// Every process of a device shows the look the simulator was started with.
UIUserInterfaceStyle styleFromEnvironment() {
    const char* look = std::getenv(UITraitCollection::kAppearanceVariable);
    return look && std::strcmp(look, "dark") == 0 ? UIUserInterfaceStyle::dark : UIUserInterfaceStyle::light;
}

// Read on first use, so a caller during start-up sees the environment too.
std::atomic<UIUserInterfaceStyle>& currentStyle() {
    static std::atomic<UIUserInterfaceStyle> style{styleFromEnvironment()};
    return style;
}

} // namespace

UIUserInterfaceStyle UITraitCollection::currentUserInterfaceStyle() {
    return currentStyle().load();
}

void UITraitCollection::setCurrentUserInterfaceStyle(UIUserInterfaceStyle style) {
    currentStyle().store(style == UIUserInterfaceStyle::unspecified ? UIUserInterfaceStyle::light : style);
}
