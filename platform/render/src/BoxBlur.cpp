#include <Render/BoxBlur.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

namespace render {

namespace {

// Rounded division of channel sums by a divisor fixed for a whole pass, by
// multiplying with its reciprocal: the same quotients as `/` for every sum
// below 2^32 / divisor (a sum is at most 256 times the divisor), without a
// division per channel and pixel.
class RoundedDivision {
  public:
    explicit RoundedDivision(std::uint32_t divisor)
        : m_divisor(divisor), m_half(divisor / 2),
          m_reciprocal(((std::uint64_t{1} << 32) + divisor - 1) / divisor), m_exact(divisor < 4096) {}
    std::uint32_t operator()(std::uint32_t sum) const {
        const std::uint64_t n = sum + m_half;
        return m_exact ? static_cast<std::uint32_t>((n * m_reciprocal) >> 32)
                       : static_cast<std::uint32_t>(n / m_divisor);
    }

  private:
    std::uint32_t m_divisor, m_half;
    std::uint64_t m_reciprocal;
    bool m_exact;
};

// One box pass over a line of `count` pixels `step` words apart; the
// line is read from a copy so the pass can write in place.
void boxLine(std::uint32_t* line, int count, int step, int radius, std::vector<std::uint32_t>& copy) {
    copy.resize(count);
    for (int i = 0; i < count; ++i)
        copy[i] = line[static_cast<std::ptrdiff_t>(i) * step];
    const RoundedDivision average(static_cast<std::uint32_t>(2 * radius + 1));
    auto at = [&](int i) { return copy[std::clamp(i, 0, count - 1)]; };
    std::uint32_t sum[4] = {0, 0, 0, 0};
    for (int i = -radius; i <= radius; ++i) {
        const std::uint32_t p = at(i);
        for (int c = 0; c < 4; ++c)
            sum[c] += (p >> (8 * c)) & 0xFF;
    }
    for (int i = 0; i < count; ++i) {
        std::uint32_t out = 0;
        for (int c = 0; c < 4; ++c)
            out |= average(sum[c]) << (8 * c);
        line[static_cast<std::ptrdiff_t>(i) * step] = out;
        const std::uint32_t leaving = at(i - radius), entering = at(i + radius + 1);
        for (int c = 0; c < 4; ++c)
            sum[c] += ((entering >> (8 * c)) & 0xFF) - ((leaving >> (8 * c)) & 0xFF);
    }
}

} // namespace

std::array<int, 3> BoxBlur::boxWidths(double sigma) {
    // Widths wl and wl + 2, as many of each as brings the summed variance
    // (w² - 1) / 12 closest to sigma².
    constexpr int n = 3;
    const double ideal = std::sqrt(12 * sigma * sigma / n + 1);
    int lower = static_cast<int>(std::floor(ideal));
    if (lower % 2 == 0)
        --lower;
    lower = std::max(lower, 1);
    const double idealCount =
        (12 * sigma * sigma - n * lower * lower - 4.0 * n * lower - 3.0 * n) / (-4.0 * lower - 4);
    const int count = static_cast<int>(std::lround(idealCount));
    std::array<int, 3> widths{};
    for (int i = 0; i < n; ++i)
        widths[i] = i < count ? lower : lower + 2;
    return widths;
}

void BoxBlur::gaussian(uikit::ImageBitmap& bitmap, double sigma) {
    if (sigma <= 0 || bitmap.width <= 0 || bitmap.height <= 0)
        return;
    std::vector<std::uint32_t> copy;
    for (int width : boxWidths(sigma)) {
        const int radius = (width - 1) / 2;
        if (radius == 0)
            continue;
        for (int y = 0; y < bitmap.height; ++y)
            boxLine(&bitmap.pixels[static_cast<size_t>(y) * bitmap.width], bitmap.width, 1, radius, copy);
        for (int x = 0; x < bitmap.width; ++x)
            boxLine(&bitmap.pixels[x], bitmap.height, bitmap.width, radius, copy);
    }
}

uikit::ImageBitmap BoxBlur::downsample(const std::uint32_t* source, int width, int height, int stride,
                                       int factor) {
    factor = std::max(factor, 1);
    uikit::ImageBitmap out;
    out.width = (width + factor - 1) / factor;
    out.height = (height + factor - 1) / factor;
    out.pixels.assign(static_cast<size_t>(out.width) * out.height, 0);
    std::vector<std::uint32_t> sums(static_cast<size_t>(out.width) * 4);
    for (int oy = 0; oy < out.height; ++oy) {
        std::fill(sums.begin(), sums.end(), 0);
        const int y0 = oy * factor, y1 = std::min(height, y0 + factor);
        for (int y = y0; y < y1; ++y) {
            const std::uint32_t* row = source + static_cast<std::ptrdiff_t>(y) * stride;
            for (int ox = 0; ox < out.width; ++ox) {
                std::uint32_t* sum = &sums[static_cast<size_t>(ox) * 4];
                for (int x = ox * factor, x1 = std::min(width, x + factor); x < x1; ++x) {
                    const std::uint32_t p = row[x];
                    for (int c = 0; c < 4; ++c)
                        sum[c] += (p >> (8 * c)) & 0xFF;
                }
            }
        }
        // Whole blocks share one divisor; only those at the edges differ.
        const RoundedDivision whole(static_cast<std::uint32_t>(factor * (y1 - y0)));
        for (int ox = 0; ox < out.width; ++ox) {
            const int x0 = ox * factor, x1 = std::min(width, x0 + factor);
            const std::uint32_t area = static_cast<std::uint32_t>((x1 - x0) * (y1 - y0));
            const RoundedDivision average = x1 - x0 == factor ? whole : RoundedDivision(area);
            std::uint32_t value = 0;
            for (int c = 0; c < 4; ++c)
                value |= average(sums[static_cast<size_t>(ox) * 4 + c]) << (8 * c);
            out.pixels[static_cast<size_t>(oy) * out.width + ox] = value;
        }
    }
    return out;
}

} // namespace render
