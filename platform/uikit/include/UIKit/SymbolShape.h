#pragma once
// The system symbols as vector outlines. Paths are drawn on the symbol's
// design grid (x right, y down) in a small path language:
//   M x y  move      L x y  line      C x1 y1 x2 y2 x y  cubic curve
//   A cx cy r from to  arc in degrees, clockwise on screen, as a new sub-path
//   Z  close
// A symbol is its layers, painted in order in the tint colour; an erasing
// layer cuts a gap through what is already painted.
#include <UIKit/UIKitDefines.h>

#include <span>
#include <string_view>

namespace uikit {

struct SymbolLayer {
    enum class Paint { stroke, fill, evenOddFill, erase };
    Paint paint;
    double lineWidth; // strokes and erasures, in grid units
    const char* path;
};

struct SymbolShape {
    const char* name;
    double width, height; // the design grid
    std::span<const SymbolLayer> layers;
};

// The named symbol, or null when the platform has none by that name.
UIKIT_EXTERN const SymbolShape* findSymbolShape(std::string_view name);

// Points per design-grid unit: a 24-unit symbol sits beside 17-point text.
inline constexpr double kSymbolPointsPerUnit = 17.0 / 20.0;

} // namespace uikit
