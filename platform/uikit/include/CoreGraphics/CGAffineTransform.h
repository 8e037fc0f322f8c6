#pragma once
// A 2-D affine transform, as the device's graphics layer spells it:
// x' = a·x + c·y + tx, y' = b·x + d·y + ty.
#include <UIKit/UIKitDefines.h>

struct CGAffineTransform {
    CGFloat a = 1, b = 0, c = 0, d = 1, tx = 0, ty = 0;
    bool operator==(const CGAffineTransform&) const = default;
};

inline constexpr CGAffineTransform CGAffineTransformIdentity{};

constexpr CGAffineTransform CGAffineTransformMakeScale(CGFloat sx, CGFloat sy) {
    return CGAffineTransform{sx, 0, 0, sy, 0, 0};
}

constexpr bool CGAffineTransformIsIdentity(CGAffineTransform t) {
    return t == CGAffineTransformIdentity;
}
