#include <UIKit/TextMeasurement.h>

#include <atomic>
#include <cmath>
#include <string_view>

namespace uikit {

namespace {

constexpr CGFloat kPixelsPerPoint = 3;

CGFloat ceilToPixel(CGFloat value) {
    return std::ceil(value * kPixelsPerPoint - 1e-9) / kPixelsPerPoint;
}

std::atomic<TextMeasurer> g_measurer{nullptr};

CGFloat advanceOf(unsigned char c) {
    if (c >= 0x80)
        return 0.6;
    if (std::string_view("il.,:;'!|jtfr ").find(static_cast<char>(c)) != std::string_view::npos)
        return 0.28;
    if (std::string_view("mwMW").find(static_cast<char>(c)) != std::string_view::npos)
        return 0.85;
    if (c >= 'A' && c <= 'Z')
        return 0.65;
    if (c >= '0' && c <= '9')
        return 0.56;
    return 0.52;
}

} // namespace

void setTextMeasurer(TextMeasurer measurer) {
    g_measurer.store(measurer);
}

CGSize measureTextLine(std::string_view text, CGFloat pointSize, CGFloat weight) {
    if (text.empty())
        return CGSizeZero;
    if (TextMeasurer measurer = g_measurer.load())
        return measurer(text, pointSize, weight);
    CGFloat ems = 0;
    for (unsigned char c : text)
        if ((c & 0xC0) != 0x80) // one advance per code point, not per byte
            ems += advanceOf(c);
    return CGSize{ceilToPixel(ems * pointSize), ceilToPixel(1.2 * pointSize)};
}

} // namespace uikit
