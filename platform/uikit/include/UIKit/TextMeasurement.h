#pragma once
// How much room a line of text takes in the system font. The one place text is
// measured for layout, so that the text engine of the drawing can replace it.
#include <CoreGraphics/CGGeometry.h>

#include <string_view>

namespace uikit {

// The point size of a label's text (the system body size).
inline constexpr CGFloat kLabelFontSize = 17;

// One line of `text` (UTF-8) at `pointSize`, approximated without a font:
// each character advances by a share of the point size by its shape (0.28 for
// narrow ones such as "i", "l", "." and space, 0.85 for "m", "w", "M", "W",
// 0.65 for other capitals, 0.56 for digits, 0.6 beyond ASCII, 0.52 for the
// rest), and a line is 1.2 point sizes tall. Both are rounded up to the pixel
// (a third of a point). Empty text takes no room.
UIKIT_EXTERN CGSize measureTextLine(std::string_view text, CGFloat pointSize);

// Drawn in the platform's font, text runs up to a tenth wider than the
// approximation above; a view that sizes a label to its text widens it by this.
inline constexpr CGFloat kDrawnTextAllowance = 1.12;

} // namespace uikit
