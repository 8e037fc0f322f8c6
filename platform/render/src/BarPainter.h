#pragma once
#include "Canvas.h"

#include <UIKit/UINavigationBar.h>
#include <UIKit/UIToolbar.h>

namespace render {

// Navigation bars and toolbars: the bar's tint (or the platform's bar
// colour), a hairline towards the content, and the items.
class BarPainter {
  public:
    // The title of the controller on top of the bar's stack, its right item,
    // and a back button when there is a controller below it.
    static void paintNavigationBar(const Canvas& canvas, UINavigationBar* bar);
    // The items' titles spread evenly across the bar.
    static void paintToolbar(const Canvas& canvas, UIToolbar* bar);
};

} // namespace render
