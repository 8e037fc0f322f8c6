#pragma once
#include <UIKit/UIColor.h>

#include <optional>

namespace sim {

// WCAG 2 contrast between colours as a screen shows them: components are
// gamma-encoded sRGB, and translucent colours are blended in that encoding,
// as the platform composites views.
class Contrast {
  public:
    using Colour = UIColor::Components;

    enum class Level {
        aaa,       // 7 and above
        aa,        // 4.5 and above
        largeText, // 3 and above: large text only
        fail,
    };
    static constexpr double kAaa = 7.0;
    static constexpr double kAa = 4.5;
    static constexpr double kLargeText = 3.0;

    // Relative luminance of the colour's red, green and blue (alpha ignored).
    static double luminance(const Colour& colour);
    // (lighter + 0.05) / (darker + 0.05): 1 to 21.
    static double ratio(const Colour& first, const Colour& second);
    // `top` drawn over `below` (source over).
    static Colour over(const Colour& top, const Colour& below);
    static Level level(double ratio);
    static const char* levelName(Level level);

    struct Suggestion {
        Colour colour; // eight-bit components, the text's own alpha unless `opaque`
        double ratio;
        bool opaque; // no lightness passed at the text's alpha; this one is opaque
    };
    // The colour of the text's hue and saturation (HSL) whose lightness is the
    // nearest to the text's own that reaches `minimum` over the opaque
    // `background`, in steps of 1/1000; always found, black or white at worst.
    static Suggestion nearestPassing(const Colour& text, const Colour& background, double minimum);
};

} // namespace sim
