#pragma once
#include "WallpaperKeys.h"

#include <UIKit/UIVisualEffectView.h>

// Fills a wallpaper view just made: a clipped image view of the user's
// picture made once at the wallpaper's first bounds, and, when the blur is
// on, a visual effect view over it pinned to the wallpaper's edges.
class WallpaperBuilder {
  public:
    // Answers the blur view, or nil when the blur is off.
    static rt::Ref<UIVisualEffectView> fill(UIView* wallpaper, const WallpaperKeys& keys);
    // "<Documents>/<domain>-<imageKey>.png" of this process.
    static std::string imagePath(const char* imageKey);
};
