#pragma once
#include "Canvas.h"

#include <UIKit/UINavigationBar.h>
#include <UIKit/UIToolbar.h>

namespace render {

// Navigation bars and toolbars: the bar's tint (or the platform's bar
// colour) with a hairline towards the content under the bar's subviews, and
// the items above them, as the device stacks its bar background and buttons.
class BarPainter {
  public:
    static void paintNavigationBarBackground(const Canvas& canvas, UINavigationBar* bar);
    // The title of the controller on top of the bar's stack, its right item,
    // and a back button when there is a controller below it.
    static void paintNavigationBarItems(const Canvas& canvas, UINavigationBar* bar);
    static void paintToolbarBackground(const Canvas& canvas, UIToolbar* bar);
    // The items' titles spread evenly across the bar.
    static void paintToolbarItems(const Canvas& canvas, UIToolbar* bar);
};

} // namespace render
