#pragma once
#include <Render/RenderDefines.h>
#include <UIKit/ImageBitmap.h>

#include <array>
#include <cstdint>

namespace render {

// A Gaussian blur approximated by three box blurs in each direction, on
// premultiplied 32-bit pixels. Pixels beyond the edges repeat the edge.
class RENDER_EXPORT BoxBlur {
  public:
    // The three (odd) box widths whose succession has the variance of a
    // Gaussian of `sigma` pixels as nearly as whole widths allow.
    static std::array<int, 3> boxWidths(double sigma);
    // Blurs the bitmap in place.
    static void gaussian(uikit::ImageBitmap& bitmap, double sigma);
    // A rectangle of `source` (stride in pixels) averaged over factor×factor
    // blocks; a partial block at the right or bottom edge averages what it has.
    static uikit::ImageBitmap downsample(const std::uint32_t* source, int width, int height, int stride,
                                         int factor);
};

} // namespace render
