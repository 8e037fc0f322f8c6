#include "SamplePicture.h"

#include <algorithm>
#include <cmath>

namespace chatkit {

namespace {

std::uint32_t argb(double red, double green, double blue) {
    auto byte = [](double value) {
        return static_cast<std::uint32_t>(std::clamp(value, 0.0, 1.0) * 255 + 0.5);
    };
    return 0xFF000000u | byte(red) << 16 | byte(green) << 8 | byte(blue);
}

} // namespace

rt::Ref<UIImage> samplePicture(int width, int height, double hue) {
    uikit::ImageBitmap bitmap;
    bitmap.width = width;
    bitmap.height = height;
    bitmap.pixels.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    const double sunX = 0.65 * width, sunY = 0.55 * height, sunRadius = 0.12 * std::min(width, height);
    for (int y = 0; y < height; ++y) {
        const double t = static_cast<double>(y) / height;
        for (int x = 0; x < width; ++x) {
            const double u = static_cast<double>(x) / width;
            // Sky: deep blue at the top to warm orange at the horizon.
            double red = 0.15 + 0.85 * t + 0.1 * hue, green = 0.25 + 0.4 * t,
                   blue = 0.6 - 0.4 * t + 0.2 * hue;
            const double dx = x - sunX, dy = y - sunY;
            if (dx * dx + dy * dy < sunRadius * sunRadius)
                red = 1.0, green = 0.85, blue = 0.4;
            const double farHill = 0.62 + 0.08 * std::sin(u * 5.0 + hue * 3);
            const double nearHill = 0.75 + 0.06 * std::sin(u * 3.0 + 1.5);
            if (t > nearHill)
                red = 0.12, green = 0.3 + 0.1 * hue, blue = 0.15;
            else if (t > farHill)
                red = 0.3, green = 0.35, blue = 0.45;
            bitmap.pixels[static_cast<std::size_t>(y) * width + x] = argb(red, green, blue);
        }
    }
    return UIImage::imageWithBitmap(std::move(bitmap));
}

} // namespace chatkit
