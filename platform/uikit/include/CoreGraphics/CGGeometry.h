#pragma once
// Points, sizes and rectangles in points, as the device's graphics layer spells them.
#include <UIKit/UIKitDefines.h>

struct CGPoint {
    CGFloat x = 0, y = 0;
    bool operator==(const CGPoint&) const = default;
};

struct CGSize {
    CGFloat width = 0, height = 0;
    bool operator==(const CGSize&) const = default;
};

struct CGRect {
    CGPoint origin;
    CGSize size;
    bool operator==(const CGRect&) const = default;
};

inline constexpr CGRect CGRectZero{};
inline constexpr CGSize CGSizeZero{};

constexpr CGPoint CGPointMake(CGFloat x, CGFloat y) {
    return CGPoint{x, y};
}

constexpr CGSize CGSizeMake(CGFloat width, CGFloat height) {
    return CGSize{width, height};
}

constexpr CGRect CGRectMake(CGFloat x, CGFloat y, CGFloat width, CGFloat height) {
    return CGRect{CGPoint{x, y}, CGSize{width, height}};
}
