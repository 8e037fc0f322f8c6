#include <Render/BoxBlur.h>

#include <gtest/gtest.h>

#include <cmath>

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

} // namespace
