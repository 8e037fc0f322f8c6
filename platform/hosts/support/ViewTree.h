#pragma once
#include <UIKit/UIView.h>

#include <nlohmann/json.hpp>

#include <string>

namespace hosts {

// A view hierarchy as the hosts print it: one node per view, depth first,
// subviews in order, frames in window points. The JSON form is an object per
// view with "class", "frame" ([x, y, width, height]), "alpha", "hidden",
// "backgroundColor" and "tintColor" (eight hex digits, red green blue alpha,
// or null), "cornerRadius", "masksToBounds", "gradientColors" where the
// layer paints a gradient, "text" and "textColor" for labels, and "subviews".
class ViewTree {
  public:
    static nlohmann::ordered_json json(UIView* view);
    // The same, one indented line per view.
    static std::string text(UIView* view);
    // "RRGGBBAA" of the colour in the current appearance; components are
    // rounded, halves up, and clamped to 0...255.
    static std::string hex(const UIColor* colour);
};

} // namespace hosts
