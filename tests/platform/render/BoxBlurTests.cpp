#include <Render/BoxBlur.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <utility>
#include <vector>

namespace {

// The standard normal distribution's cumulative function.
double phi(double x) {
    return 0.5 * std::erfc(-x / std::sqrt(2.0));
}

uikit::ImageBitmap stepEdge(int width, int height, int edge) {
    uikit::ImageBitmap bitmap{width, height, {}};
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            bitmap.pixels.push_back(x < edge ? 0xFF000000u : 0xFFFFFFFFu);
    return bitmap;
}

TEST(BoxBlur, ThreeBoxesCarryTheVarianceOfTheGaussian) {
    for (double sigma : {1.0, 2.5, 7.5, 10.0, 22.5, 30.0}) {
        double variance = 0;
        for (int width : render::BoxBlur::boxWidths(sigma)) {
            EXPECT_EQ(width % 2, 1) << sigma;
            variance += (width * width - 1) / 12.0;
        }
        EXPECT_NEAR(std::sqrt(variance), sigma, 0.5) << sigma;
    }
}

TEST(BoxBlur, AStepEdgeSpreadsLikeTheGaussianWithinThreePercent) {
    for (double sigma : {4.0, 10.0, 20.0}) {
        uikit::ImageBitmap bitmap = stepEdge(400, 3, 200);
        render::BoxBlur::gaussian(bitmap, sigma);
        for (double at : {-2.0, -1.0, -0.5, 0.5, 1.0, 2.0}) {
            // Pixel x covers [x, x + 1): its centre lies half a pixel past x.
            const int x = 200 + static_cast<int>(std::lround(at * sigma));
            const double expected = 255 * phi((x + 0.5 - 200) / sigma);
            const int red = static_cast<int>((bitmap.at(x, 1) >> 16) & 0xFF);
            EXPECT_NEAR(red, expected, 0.03 * 255) << "sigma " << sigma << " at " << at;
            EXPECT_EQ(bitmap.at(x, 1) >> 24, 0xFFu); // opaque stays opaque
        }
        // Far from the edge nothing moves.
        EXPECT_EQ(bitmap.at(10, 1), 0xFF000000u);
        EXPECT_EQ(bitmap.at(390, 1), 0xFFFFFFFFu);
    }
}

TEST(BoxBlur, DownsamplingAveragesBlocksAndKeepsPartialOnes) {
    // 5×2 pixels of which the last column is white: blocks of 2.
    uikit::ImageBitmap bitmap = stepEdge(5, 2, 4);
    uikit::ImageBitmap small = render::BoxBlur::downsample(bitmap.pixels.data(), 5, 2, 5, 2);
    ASSERT_EQ(small.width, 3);
    ASSERT_EQ(small.height, 1);
    EXPECT_EQ(small.at(0, 0), 0xFF000000u);
    EXPECT_EQ(small.at(1, 0), 0xFF000000u);
    EXPECT_EQ(small.at(2, 0), 0xFFFFFFFFu); // a block of one column, not diluted
}

// The passes average with plain rounded division; any faster arithmetic must
// give the very same bytes (screenshots are compared byte for byte).
std::uint32_t averaged(const std::uint32_t sum[4], std::uint32_t count) {
    std::uint32_t out = 0;
    for (int c = 0; c < 4; ++c)
        out |= ((sum[c] + count / 2) / count) << (8 * c);
    return out;
}

TEST(BoxBlur, AveragesRoundExactlyAsPlainDivisionDoes) {
    std::uint32_t seed = 7;
    auto next = [&seed] { return seed = seed * 1664525u + 1013904223u; };
    for (const int factor : {1, 2, 3, 4}) {
        const int width = 37, height = 23;
        std::vector<std::uint32_t> source(static_cast<size_t>(width) * height);
        for (std::uint32_t& pixel : source)
            pixel = next() | (next() % 4 == 0 ? 0xFF000000u : 0u);
        const uikit::ImageBitmap small =
            render::BoxBlur::downsample(source.data(), width, height, width, factor);
        ASSERT_EQ(small.width, (width + factor - 1) / factor);
        for (int oy = 0; oy < small.height; ++oy)
            for (int ox = 0; ox < small.width; ++ox) {
                std::uint32_t sum[4] = {0, 0, 0, 0}, count = 0;
                for (int y = oy * factor; y < std::min(height, (oy + 1) * factor); ++y)
                    for (int x = ox * factor; x < std::min(width, (ox + 1) * factor); ++x, ++count)
                        for (int c = 0; c < 4; ++c)
                            sum[c] += (source[static_cast<size_t>(y) * width + x] >> (8 * c)) & 0xFF;
                ASSERT_EQ(small.at(ox, oy), averaged(sum, count)) << factor << " at " << ox << "," << oy;
            }
    }
    // One horizontal box pass of every width up to far beyond those drawn, on a single row.
    for (int radius = 1; radius <= 300; radius += radius < 20 ? 1 : 37) {
        const double sigma = std::sqrt(((2.0 * radius + 1) * (2 * radius + 1) - 1) / 12.0 * 3);
        const auto widths = render::BoxBlur::boxWidths(sigma);
        uikit::ImageBitmap row{613, 1, {}};
        for (int x = 0; x < row.width; ++x)
            row.pixels.push_back(next());
        std::vector<std::uint32_t> expected = row.pixels;
        for (const int boxWidth : widths) {
            const int r = (boxWidth - 1) / 2;
            const std::vector<std::uint32_t> in = expected;
            for (int x = 0; x < row.width; ++x) {
                std::uint32_t sum[4] = {0, 0, 0, 0};
                for (int i = x - r; i <= x + r; ++i)
                    for (int c = 0; c < 4; ++c)
                        sum[c] +=
                            (in[static_cast<size_t>(std::clamp(i, 0, row.width - 1))] >> (8 * c)) & 0xFF;
                expected[static_cast<size_t>(x)] = averaged(sum, static_cast<std::uint32_t>(boxWidth));
            }
        }
        render::BoxBlur::gaussian(row, sigma);
        EXPECT_TRUE(row.pixels == expected) << "radius " << radius;
    }
}

// The reference of a whole blur: for each box, every row then every column,
// each pixel the plain rounded average of its clamped window.
void referenceBlur(uikit::ImageBitmap& bitmap, double sigma) {
    for (const int boxWidth : render::BoxBlur::boxWidths(sigma)) {
        const int r = (boxWidth - 1) / 2;
        for (const bool rows : {true, false}) {
            const std::vector<std::uint32_t> in = bitmap.pixels;
            for (int y = 0; y < bitmap.height; ++y)
                for (int x = 0; x < bitmap.width; ++x) {
                    std::uint32_t sum[4] = {0, 0, 0, 0};
                    for (int i = -r; i <= r; ++i) {
                        const int sx = rows ? std::clamp(x + i, 0, bitmap.width - 1) : x;
                        const int sy = rows ? y : std::clamp(y + i, 0, bitmap.height - 1);
                        for (int c = 0; c < 4; ++c)
                            sum[c] += (in[static_cast<size_t>(sy) * bitmap.width + sx] >> (8 * c)) & 0xFF;
                    }
                    bitmap.pixels[static_cast<size_t>(y) * bitmap.width + x] =
                        averaged(sum, static_cast<std::uint32_t>(boxWidth));
                }
        }
    }
}

TEST(BoxBlur, RowsThenColumnsGiveTheReferenceBytesAtEverySizeAndRadius) {
    std::uint32_t seed = 11;
    auto next = [&seed] { return seed = seed * 1664525u + 1013904223u; };
    // Sizes from one pixel thick to wider than tall, radii up to beyond the picture.
    for (const auto& [width, height] : {std::pair{23, 31}, {64, 5}, {1, 17}, {17, 1}, {1, 1}})
        for (const double sigma : {0.9, 2.5, 6.0, 14.0}) {
            uikit::ImageBitmap bitmap{width, height, {}};
            for (int i = 0; i < width * height; ++i)
                bitmap.pixels.push_back(next());
            uikit::ImageBitmap expected = bitmap;
            referenceBlur(expected, sigma);
            render::BoxBlur::gaussian(bitmap, sigma);
            EXPECT_TRUE(bitmap.pixels == expected.pixels) << width << "x" << height << " sigma " << sigma;
        }
}

} // namespace
