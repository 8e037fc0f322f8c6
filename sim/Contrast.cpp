#include "Contrast.h"

#include <algorithm>
#include <cmath>

namespace sim {

namespace {

double linear(double channel) {
    // The sRGB transfer function; WCAG 2.0's 0.03928 threshold selects the
    // same branch for every eight-bit value.
    return channel <= 0.04045 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
}

struct Hsl {
    double hue, saturation, lightness; // hue in turns (0 to 1)
};

Hsl toHsl(const Contrast::Colour& c) {
    const double high = std::max({c.red, c.green, c.blue});
    const double low = std::min({c.red, c.green, c.blue});
    Hsl hsl{0, 0, (high + low) / 2};
    const double chroma = high - low;
    if (chroma <= 0)
        return hsl;
    hsl.saturation = chroma / (1 - std::abs(2 * hsl.lightness - 1));
    double hue = high == c.red     ? std::fmod((c.green - c.blue) / chroma + 6, 6)
                 : high == c.green ? (c.blue - c.red) / chroma + 2
                                   : (c.red - c.green) / chroma + 4;
    hsl.hue = hue / 6;
    return hsl;
}

Contrast::Colour fromHsl(const Hsl& hsl, double alpha) {
    const double chroma = (1 - std::abs(2 * hsl.lightness - 1)) * hsl.saturation;
    const double sector = hsl.hue * 6;
    const double x = chroma * (1 - std::abs(std::fmod(sector, 2) - 1));
    double r = 0, g = 0, b = 0;
    if (sector < 1)
        r = chroma, g = x;
    else if (sector < 2)
        r = x, g = chroma;
    else if (sector < 3)
        g = chroma, b = x;
    else if (sector < 4)
        g = x, b = chroma;
    else if (sector < 5)
        r = x, b = chroma;
    else
        r = chroma, b = x;
    const double m = hsl.lightness - chroma / 2;
    auto byte = [](double v) { return std::round(std::clamp(v, 0.0, 1.0) * 255) / 255; };
    return {byte(r + m), byte(g + m), byte(b + m), alpha};
}

} // namespace

double Contrast::luminance(const Colour& c) {
    return 0.2126 * linear(c.red) + 0.7152 * linear(c.green) + 0.0722 * linear(c.blue);
}

double Contrast::ratio(const Colour& first, const Colour& second) {
    const double a = luminance(first);
    const double b = luminance(second);
    return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
}

Contrast::Colour Contrast::over(const Colour& top, const Colour& below) {
    const double ta = std::clamp(top.alpha, 0.0, 1.0);
    const double ba = std::clamp(below.alpha, 0.0, 1.0);
    const double alpha = ta + ba * (1 - ta);
    if (alpha <= 0)
        return {0, 0, 0, 0};
    auto blend = [&](double t, double b) { return (t * ta + b * ba * (1 - ta)) / alpha; };
    return {blend(top.red, below.red), blend(top.green, below.green), blend(top.blue, below.blue), alpha};
}

Contrast::Level Contrast::level(double ratio) {
    if (ratio >= kAaa)
        return Level::aaa;
    if (ratio >= kAa)
        return Level::aa;
    if (ratio >= kLargeText)
        return Level::largeText;
    return Level::fail;
}

const char* Contrast::levelName(Level level) {
    switch (level) {
    case Level::aaa:
        return "AAA";
    case Level::aa:
        return "AA";
    case Level::largeText:
        return "large";
    case Level::fail:
        break;
    }
    return "fail";
}

Contrast::Suggestion Contrast::nearestPassing(const Colour& text, const Colour& background, double minimum) {
    const Hsl start = toHsl(text);
    for (bool opaque : {false, true}) {
        const double alpha = opaque ? 1.0 : text.alpha;
        constexpr int kSteps = 1000;
        for (int step = 0; step <= kSteps; ++step) {
            std::optional<Suggestion> best;
            for (int direction : {-1, 1}) {
                const double lightness = start.lightness + direction * step / double(kSteps);
                if (lightness < 0 || lightness > 1)
                    continue;
                Colour candidate = fromHsl({start.hue, start.saturation, lightness}, alpha);
                double reached = ratio(over(candidate, background), background);
                if (reached >= minimum && (!best || reached > best->ratio))
                    best = Suggestion{candidate, reached, opaque};
            }
            if (best)
                return *best;
        }
    }
    // Black or white always passes 4.5 against an opaque colour; past 4.58
    // the better of the two is the answer.
    Colour black{0, 0, 0, 1}, white{1, 1, 1, 1};
    const double toBlack = ratio(black, background), toWhite = ratio(white, background);
    return toBlack >= toWhite ? Suggestion{black, toBlack, true} : Suggestion{white, toWhite, true};
}

} // namespace sim
