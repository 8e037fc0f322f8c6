#include <Render/Typesetter.h>
#include <UIKit/TextMeasurement.h>
#include <UIKit/UILabel.h>

#include <gtest/gtest.h>

#include <cmath>

namespace {

// Measures through the font machinery while it lives, then the approximation again.
struct MeasuredByTheFont {
    MeasuredByTheFont() { render::Typesetter::useForLayout(); }
    ~MeasuredByTheFont() { uikit::setTextMeasurer(nullptr); }
};

TEST(Typesetter, LaysTextOutAtTheWidthItIsDrawnAt) {
    const CGSize approximated = uikit::measureTextLine("Chat", 17);
    MeasuredByTheFont font;
    const CGSize measured = uikit::measureTextLine("Chat", 17);
    EXPECT_NE(measured.width, approximated.width);
    EXPECT_EQ(measured.height, approximated.height) << "line heights stay UIKit's";
    EXPECT_GT(measured.width, 30);
    EXPECT_LT(measured.width, 45);
    // Whole pixels at three per point, never narrower than the text.
    EXPECT_DOUBLE_EQ(measured.width * 3, std::round(measured.width * 3));

    EXPECT_GT(uikit::measureTextLine("Chat", 17, UIFontWeightBold).width, measured.width);
    EXPECT_GT(uikit::measureTextLine("Chat", 34).width, 1.9 * measured.width);
    EXPECT_EQ(uikit::measureTextLine("", 17), CGSizeZero);

    // A label's own size is the drawn one, in its font's weight.
    rt::Ref<UILabel> label = rt::make<UILabel>();
    label->setText("Conversation List");
    label->setFont(UIFont::systemFontOfSize(17, UIFontWeightSemibold));
    EXPECT_EQ(label->intrinsicContentSize(),
              uikit::measureTextLine("Conversation List", 17, UIFontWeightSemibold));
}

} // namespace
