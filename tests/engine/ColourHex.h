#pragma once
// Colours as the tests compare them: "RRGGBBAA" in the current appearance.
#include <UIKit/UIColor.h>

#include <cmath>
#include <cstdio>
#include <string>

inline std::string hex(const UIColor* colour) {
    if (!colour)
        return "nil";
    UIColor::Components c = colour->components();
    char text[16];
    auto byte = [](double v) { return static_cast<unsigned>(std::llround(v * 255.0)); };
    std::snprintf(text, sizeof text, "%02X%02X%02X%02X", byte(c.red), byte(c.green), byte(c.blue),
                  byte(c.alpha));
    return text;
}
