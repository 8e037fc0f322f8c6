#include "../foundation/TemporaryDirectory.h"

#include <Foundation/NSFileManager.h>
#include <UIKit/UIImage.h>
#include <UIKit/UIImageView.h>
#include <UIKit/UILabel.h>

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

// A picture with a left half of one colour and a right half of another.
uikit::ImageBitmap halves(int width, int height, std::uint32_t left, std::uint32_t right) {
    uikit::ImageBitmap bitmap{width, height, {}};
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            bitmap.pixels.push_back(x < width / 2 ? left : right);
    return bitmap;
}

int channel(std::uint32_t pixel, int shift) {
    return static_cast<int>((pixel >> shift) & 0xFF);
}

// A PNG whose header chunk claims the given size, with nothing after it.
Bytes pngHeaderClaiming(std::uint32_t width, std::uint32_t height) {
    Bytes bytes{0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n', 0, 0, 0, 13, 'I', 'H', 'D', 'R'};
    for (std::uint32_t value : {width, height})
        for (int shift = 24; shift >= 0; shift -= 8)
            bytes.push_back(static_cast<std::uint8_t>(value >> shift));
    bytes.insert(bytes.end(), {8, 6, 0, 0, 0, 0, 0, 0, 0});
    return bytes;
}

// The 64 entries of the JPEG's first quantisation table, in file order.
std::vector<int> firstQuantisationTable(const Bytes& jpeg) {
    for (size_t i = 2; i + 4 < jpeg.size(); ++i)
        if (jpeg[i] == 0xFF && jpeg[i + 1] == 0xDB) {
            const size_t start = i + 5; // marker, length, precision and table id
            if ((jpeg[i + 4] >> 4) != 0 || start + 64 > jpeg.size())
                return {};
            return std::vector<int>(jpeg.begin() + static_cast<long>(start),
                                    jpeg.begin() + static_cast<long>(start + 64));
        }
    return {};
}

class UIImageFiles : public ::testing::Test {
  protected:
    void SetUp() override {
        ::setenv("SIMDEVICE_ROOT", m_root.path().c_str(), 1);
        ASSERT_TRUE(NSFileManager::defaultManager()->createDirectoryAtPath("/var/mobile", YES));
    }
    void TearDown() override { ::unsetenv("SIMDEVICE_ROOT"); }
    void write(const std::string& path, const Bytes& bytes) {
        ASSERT_TRUE(NSFileManager::defaultManager()->createFileAtPath(path, bytes));
    }

  private:
    TemporaryDirectory m_root;
};

TEST(UIImageCodec, PNGRoundTripKeepsEveryPixelIncludingAlpha) {
    uikit::ImageBitmap source = halves(6, 3, 0xFFFF0000u, 0x80008000u); // opaque red, half-transparent green
    rt::Ref<UIImage> image = UIImage::imageWithBitmap(source, 2.0);
    ASSERT_TRUE(image);
    EXPECT_EQ(image->size(), (CGSize{3, 1.5}));
    auto png = UIImagePNGRepresentation(image.get());
    ASSERT_TRUE(png);
    rt::Ref<UIImage> back = UIImage::imageWithData(*png);
    ASSERT_TRUE(back && back->bitmap());
    EXPECT_EQ(back->bitmap()->pixels, source.pixels);
}

TEST(UIImageCodec, JPEGDecodesCloseToTheOriginalAndDropsAlphaOverBlack) {
    rt::Ref<UIImage> image = UIImage::imageWithBitmap(halves(32, 16, 0xFFFF0000u, 0x80008000u));
    auto jpeg = UIImageJPEGRepresentation(image.get(), 1.0);
    ASSERT_TRUE(jpeg);
    EXPECT_EQ((*jpeg)[0], 0xFF);
    EXPECT_EQ((*jpeg)[1], 0xD8);
    rt::Ref<UIImage> back = UIImage::imageWithData(*jpeg);
    ASSERT_TRUE(back && back->bitmap());
    const uint32_t red = back->bitmap()->at(4, 8), green = back->bitmap()->at(28, 8);
    EXPECT_EQ(channel(red, 24), 255);
    EXPECT_NEAR(channel(red, 16), 255, 6);
    EXPECT_NEAR(channel(red, 8), 0, 6);
    EXPECT_EQ(channel(green, 24), 255); // opaque now
    EXPECT_NEAR(channel(green, 8), 128, 8);
}

TEST(UIImageCodec, QualityZeroIsTheStrongestCompression) {
    // Noise compresses badly, so the quality shows in the size.
    uikit::ImageBitmap noise{64, 64, {}};
    std::uint32_t state = 12345;
    for (int i = 0; i < 64 * 64; ++i) {
        state = state * 1103515245u + 12345u;
        noise.pixels.push_back(0xFF000000u | (state >> 8));
    }
    rt::Ref<UIImage> image = UIImage::imageWithBitmap(noise);
    auto smallest = UIImageJPEGRepresentation(image.get(), 0.0);
    auto best = UIImageJPEGRepresentation(image.get(), 1.0);
    ASSERT_TRUE(smallest && best);
    EXPECT_LT(smallest->size() * 2, best->size());
    // TurboJPEG's quality 1 scales every baseline table entry to its ceiling.
    std::vector<int> table = firstQuantisationTable(*smallest);
    ASSERT_EQ(table.size(), 64u);
    for (int entry : table)
        EXPECT_EQ(entry, 255);
    std::vector<int> fine = firstQuantisationTable(*best);
    ASSERT_EQ(fine.size(), 64u);
    EXPECT_EQ(fine[0], 1);
    // Out of range and NaN are clamped, never the encoder's default.
    EXPECT_EQ(UIImageJPEGRepresentation(image.get(), -3.0), smallest);
    EXPECT_EQ(UIImageJPEGRepresentation(image.get(), std::nan("")), smallest);
    EXPECT_EQ(UIImageJPEGRepresentation(image.get(), 7.0), best);
}

TEST(UIImageCodec, DamagedUnknownAndOversizedDataAnswerNil) {
    EXPECT_FALSE(UIImage::imageWithData({}));
    EXPECT_FALSE(UIImage::imageWithData({'G', 'I', 'F', '8', '9', 'a'}));
    auto png =
        UIImagePNGRepresentation(UIImage::imageWithBitmap(halves(8, 8, 0xFF0000FFu, 0xFFFFFFFFu)).get());
    ASSERT_TRUE(png);
    Bytes cut(png->begin(), png->begin() + static_cast<long>(png->size() / 2));
    EXPECT_FALSE(UIImage::imageWithData(cut));
    EXPECT_FALSE(UIImage::imageWithData({0xFF, 0xD8, 0xFF, 0xE0, 0, 16}));

    // Refused from the header alone, before anything is allocated.
    EXPECT_FALSE(UIImage::imageWithData(pngHeaderClaiming(8193, 1)));
    EXPECT_FALSE(UIImage::imageWithData(pngHeaderClaiming(4097, 4097))); // over 64 MiB decoded
    EXPECT_FALSE(UIImage::imageWithData(pngHeaderClaiming(0xFFFFFFFFu, 0xFFFFFFFFu)));
    auto wide = UIImageJPEGRepresentation(
        UIImage::imageWithBitmap(halves(8193, 1, 0xFF000000u, 0xFFFFFFFFu)).get(), 0.5);
    ASSERT_TRUE(wide);
    EXPECT_FALSE(UIImage::imageWithData(*wide));
    auto widest = UIImageJPEGRepresentation(
        UIImage::imageWithBitmap(halves(8192, 1, 0xFF000000u, 0xFFFFFFFFu)).get(), 0.5);
    ASSERT_TRUE(widest);
    EXPECT_TRUE(UIImage::imageWithData(*widest));
}

TEST_F(UIImageFiles, FilesAreDecodedByContentNotByName) {
    rt::Ref<UIImage> image = UIImage::imageWithBitmap(halves(20, 10, 0xFF0000FFu, 0xFFFFFF00u));
    write("/var/mobile/wallpaper.png", *UIImageJPEGRepresentation(image.get(), 0.9));
    write("/var/mobile/picture.jpg", *UIImagePNGRepresentation(image.get()));
    write("/var/mobile/notes.png", {'h', 'e', 'l', 'l', 'o'});

    rt::Ref<UIImage> jpegAsPng = UIImage::imageWithContentsOfFile("/var/mobile/wallpaper.png");
    ASSERT_TRUE(jpegAsPng);
    EXPECT_EQ(jpegAsPng->size(), (CGSize{20, 10}));
    EXPECT_NEAR(channel(jpegAsPng->bitmap()->at(2, 5), 0), 255, 8); // blue on the left
    rt::Ref<UIImage> pngAsJpg = UIImage::imageWithContentsOfFile("/var/mobile/picture.jpg");
    ASSERT_TRUE(pngAsJpg);
    EXPECT_EQ(pngAsJpg->bitmap()->pixels, image->bitmap()->pixels);

    EXPECT_FALSE(UIImage::imageWithContentsOfFile("/var/mobile/notes.png"));
    EXPECT_FALSE(UIImage::imageWithContentsOfFile("/var/mobile/missing.png"));
    EXPECT_FALSE(UIImage::imageWithContentsOfFile("/var/mobile"));
    EXPECT_FALSE(UIImage::imageWithContentsOfFile("/var/../../etc/passwd"));
}

TEST(UIImageSymbols, TheNamedSetAreTemplatesAndUnknownNamesAnswerNil) {
    for (const char* name :
         {"checkmark", "chevron.up.chevron.down", "chevron.right", "info.circle", "magnifyingglass",
          "square.and.pencil", "paperplane.fill", "arrow.up.circle.fill", "camera.fill", "photo",
          "paintbrush", "gearshape", "trash", "pin.fill", "bell.slash.fill", "arrowshape.turn.up.left",
          "doc.on.doc", "ellipsis.circle", "heart"}) {
        rt::Ref<UIImage> symbol = UIImage::systemImageNamed(name);
        ASSERT_TRUE(symbol) << name;
        EXPECT_TRUE(symbol->isSymbolImage());
        EXPECT_TRUE(symbol->isTemplate());
        EXPECT_GT(symbol->size().width, 17.0);
        EXPECT_FALSE(UIImagePNGRepresentation(symbol.get())); // no pixels to encode
    }
    EXPECT_FALSE(UIImage::systemImageNamed("no.such.symbol"));
    EXPECT_FALSE(UIImage::systemImageNamed(""));

    rt::Ref<UIImage> original =
        UIImage::systemImageNamed("heart")->imageWithRenderingMode(UIImageRenderingModeAlwaysOriginal);
    EXPECT_FALSE(original->isTemplate());
    rt::Ref<UIImage> bitmap = UIImage::imageWithBitmap(halves(2, 2, 0xFF000000u, 0xFF000000u));
    EXPECT_FALSE(bitmap->isTemplate());
    EXPECT_TRUE(bitmap->imageWithRenderingMode(UIImageRenderingModeAlwaysTemplate)->isTemplate());
}

TEST(UIViewDrawing, ClippingIsTheLayersMaskAndLabelsKeepTextAndAttributesTogether) {
    auto view = rt::make<UIView>();
    view->setClipsToBounds(YES);
    EXPECT_TRUE(view->layer()->masksToBounds());
    view->layer()->setMasksToBounds(NO);
    EXPECT_FALSE(view->clipsToBounds());
    EXPECT_TRUE(CGAffineTransformIsIdentity(view->transform()));

    auto label = rt::make<UILabel>();
    EXPECT_EQ(label->font()->pointSize(), 17.0);
    EXPECT_EQ(label->numberOfLines(), 1);
    label->setAttributedText(NSAttributedString::initWithString("Hello", {}));
    EXPECT_EQ(label->text(), "Hello");
    label->setText("Plain");
    EXPECT_FALSE(label->attributedText()); // plain text drops the attributes

    auto imageView = rt::make<UIImageView>();
    imageView->initWithImage(UIImage::imageWithBitmap(halves(30, 12, 0xFF000000u, 0xFF000000u), 3.0));
    EXPECT_EQ(imageView->frame(), CGRectMake(0, 0, 10, 4));
}

} // namespace
