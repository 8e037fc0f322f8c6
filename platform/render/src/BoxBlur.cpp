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
        return m_exact ? byReciprocal(sum)
                       : static_cast<std::uint32_t>((sum + std::uint64_t{m_half}) / m_divisor);
    }
    // A whole line of sums into bytes, with the choice of arithmetic made
    // once so the loop has no branch and the compiler can vectorise it.
    void apply(const std::uint32_t* sums, std::uint8_t* out, std::size_t count) const {
        if (m_exact) {
            for (std::size_t i = 0; i < count; ++i)
                out[i] = static_cast<std::uint8_t>(byReciprocal(sums[i]));
        } else {
            for (std::size_t i = 0; i < count; ++i)
                out[i] = static_cast<std::uint8_t>((sums[i] + std::uint64_t{m_half}) / m_divisor);
        }
    }

  private:
    std::uint32_t byReciprocal(std::uint32_t sum) const {
        return static_cast<std::uint32_t>(((sum + std::uint64_t{m_half}) * m_reciprocal) >> 32);
    }

    std::uint32_t m_divisor, m_half;
    std::uint64_t m_reciprocal;
    bool m_exact;
};

// Every pass below works on the four bytes of a pixel alike, so it reads the
// words as bytes: the channels' order in memory does not matter.
const std::uint8_t* bytesOf(const std::uint32_t* pixels) {
    return reinterpret_cast<const std::uint8_t*>(pixels);
}

std::uint8_t* bytesOf(std::uint32_t* pixels) {
    return reinterpret_cast<std::uint8_t*>(pixels);
}

// One box pass along every row. Each row is first copied with `radius` edge
// pixels repeated on either side, so the sliding window needs no bounds.
void horizontalPass(uikit::ImageBitmap& bitmap, int radius, std::vector<std::uint32_t>& padded) {
    const int width = bitmap.width;
    const RoundedDivision average(static_cast<std::uint32_t>(2 * radius + 1));
    padded.resize(static_cast<std::size_t>(width) + 2 * static_cast<std::size_t>(radius) + 1);
    for (int y = 0; y < bitmap.height; ++y) {
        std::uint32_t* row = &bitmap.pixels[static_cast<std::size_t>(y) * width];
        std::fill_n(padded.begin(), radius, row[0]);
        std::copy_n(row, width, padded.begin() + radius);
        std::fill(padded.begin() + radius + width, padded.end(), row[width - 1]);
        const std::uint8_t* in = bytesOf(padded.data());
        std::uint8_t* out = bytesOf(row);
        std::uint32_t sum[4] = {0, 0, 0, 0};
        for (int i = 0; i <= 2 * radius; ++i)
            for (int c = 0; c < 4; ++c)
                sum[c] += in[4 * i + c];
        // Output i covers padded[i .. i + 2r]; then i + 2r + 1 enters and i leaves.
        for (int i = 0; i < width; ++i) {
            for (int c = 0; c < 4; ++c) {
                out[4 * i + c] = static_cast<std::uint8_t>(average(sum[c]));
                sum[c] += in[4 * (i + 2 * radius + 1) + c];
                sum[c] -= in[4 * i + c];
            }
        }
    }
}

// One box pass down every column, a whole row at a time: the running sums of
// all columns move down together, which keeps memory access sequential.
void verticalPass(uikit::ImageBitmap& bitmap, int radius, std::vector<std::uint32_t>& sums,
                  std::vector<std::uint32_t>& result) {
    const int height = bitmap.height;
    const std::size_t lanes = static_cast<std::size_t>(bitmap.width) * 4;
    const std::uint8_t* in = bytesOf(bitmap.pixels.data());
    auto row = [&](int y) { return in + static_cast<std::size_t>(std::clamp(y, 0, height - 1)) * lanes; };
    const RoundedDivision average(static_cast<std::uint32_t>(2 * radius + 1));
    sums.assign(lanes, 0);
    for (int y = -radius; y <= radius; ++y) {
        const std::uint8_t* source = row(y);
        for (std::size_t k = 0; k < lanes; ++k)
            sums[k] += source[k];
    }
    result.resize(bitmap.pixels.size());
    std::uint8_t* out = bytesOf(result.data());
    for (int y = 0; y < height; ++y) {
        average.apply(sums.data(), out + static_cast<std::size_t>(y) * lanes, lanes);
        const std::uint8_t* entering = row(y + radius + 1);
        const std::uint8_t* leaving = row(y - radius);
        for (std::size_t k = 0; k < lanes; ++k)
            sums[k] = sums[k] + entering[k] - leaving[k];
    }
    bitmap.pixels.swap(result);
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
    std::vector<std::uint32_t> padded, sums, result;
    for (int width : boxWidths(sigma)) {
        const int radius = (width - 1) / 2;
        if (radius == 0)
            continue;
        horizontalPass(bitmap, radius, padded);
        verticalPass(bitmap, radius, sums, result);
    }
}

uikit::ImageBitmap BoxBlur::downsample(const std::uint32_t* source, int width, int height, int stride,
                                       int factor) {
    factor = std::max(factor, 1);
    uikit::ImageBitmap out;
    out.width = (width + factor - 1) / factor;
    out.height = (height + factor - 1) / factor;
    out.pixels.assign(static_cast<std::size_t>(out.width) * out.height, 0);
    // First each column's channels summed over the block's rows (a plain
    // byte-wise loop), then those sums gathered block by block.
    const std::size_t lanes = static_cast<std::size_t>(width) * 4;
    std::vector<std::uint32_t> columns(lanes);
    for (int oy = 0; oy < out.height; ++oy) {
        std::fill(columns.begin(), columns.end(), 0);
        const int y0 = oy * factor, y1 = std::min(height, y0 + factor);
        for (int y = y0; y < y1; ++y) {
            const std::uint8_t* row = bytesOf(source + static_cast<std::ptrdiff_t>(y) * stride);
            for (std::size_t k = 0; k < lanes; ++k)
                columns[k] += row[k];
        }
        // Whole blocks share one divisor; only those at the edges differ.
        const RoundedDivision whole(static_cast<std::uint32_t>(factor * (y1 - y0)));
        std::uint8_t* outRow = bytesOf(&out.pixels[static_cast<std::size_t>(oy) * out.width]);
        for (int ox = 0; ox < out.width; ++ox) {
            const int x0 = ox * factor, x1 = std::min(width, x0 + factor);
            std::uint32_t sum[4] = {0, 0, 0, 0};
            for (int x = x0; x < x1; ++x)
                for (int c = 0; c < 4; ++c)
                    sum[c] += columns[static_cast<std::size_t>(x) * 4 + c];
            const std::uint32_t area = static_cast<std::uint32_t>((x1 - x0) * (y1 - y0));
            const RoundedDivision average = x1 - x0 == factor ? whole : RoundedDivision(area);
            for (int c = 0; c < 4; ++c)
                outRow[4 * ox + c] = static_cast<std::uint8_t>(average(sum[c]));
        }
    }
    return out;
}

} // namespace render
