#pragma once
// How much room a line of text takes in the system font. The one place text is
// measured for layout, so that the text engine of the drawing can replace it.
#include <CoreGraphics/CGGeometry.h>

#include <string_view>

namespace uikit {

// The point size of a label's text (the system body size).
inline constexpr CGFloat kLabelFontSize = 17;

// One line of `text` (UTF-8) at `pointSize` and `weight`. A program that
// draws installs its text engine's measure (setTextMeasurer), so that text
// is laid out at the width it is drawn at. Without one it is approximated:
// each character advances by a share of the point size by its shape (0.28 for
// narrow ones such as "i", "l", "." and space, 0.85 for "m", "w", "M", "W",
// 0.65 for other capitals, 0.56 for digits, 0.6 beyond ASCII, 0.52 for the
// rest), and a line is 1.2 point sizes tall. Both are rounded up to the pixel
// (a third of a point). Empty text takes no room.
UIKIT_EXTERN CGSize measureTextLine(std::string_view text, CGFloat pointSize, CGFloat weight = 0);

// A text engine's measure of one line in the system font. Installed once, at
// start, before any layout; null goes back to the approximation.
using TextMeasurer = CGSize (*)(std::string_view text, CGFloat pointSize, CGFloat weight);
UIKIT_EXTERN void setTextMeasurer(TextMeasurer measurer);

} // namespace uikit
