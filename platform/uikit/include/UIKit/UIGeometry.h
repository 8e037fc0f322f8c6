#pragma once
// Insets as the device spells them: top, left, bottom, right.
#include <CoreGraphics/CGGeometry.h>

struct UIEdgeInsets {
    CGFloat top = 0, left = 0, bottom = 0, right = 0;
    bool operator==(const UIEdgeInsets&) const = default;
};

inline constexpr UIEdgeInsets UIEdgeInsetsZero{};

constexpr UIEdgeInsets UIEdgeInsetsMake(CGFloat top, CGFloat left, CGFloat bottom, CGFloat right) {
    return UIEdgeInsets{top, left, bottom, right};
}
