#pragma once
// The pixels of a bitmap image: premultiplied alpha, one 32-bit word per
// pixel holding alpha, red, green, blue from the top byte down (cairo's
// ARGB32), rows top to bottom without padding.
#include <cstddef>
#include <cstdint>
#include <vector>

namespace uikit {

struct ImageBitmap {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;

    std::uint32_t at(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
    int strideBytes() const { return width * 4; }
};

// Decoding refuses anything larger: a side over kMaxImageSide pixels or more
// than kMaxImageBytes once decoded.
inline constexpr int kMaxImageSide = 8192;
inline constexpr std::uint64_t kMaxImageBytes = 64ull * 1024 * 1024;

} // namespace uikit
