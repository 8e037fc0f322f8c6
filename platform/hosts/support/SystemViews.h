#pragma once
#include <UIKit/UIWindow.h>

#include <vector>

namespace hosts {

// What the system draws over every app: the status bar at the top of the
// screen and the home indicator at its foot, above the app's own views.
class SystemViews {
  public:
    // Puts both on top of the window, sized to it; again brings them back on
    // top. The window lays them out at its next layout pass.
    static void addTo(UIWindow* window);
    // The window's status bar and home indicator, in that order (none before addTo).
    static std::vector<rt::Ref<UIView>> of(UIWindow* window);
};

} // namespace hosts
