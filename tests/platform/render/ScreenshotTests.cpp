#include <Foundation/NSAttributedString.h>
#include <Render/Screenshot.h>
#include <Render/Typesetter.h>
#include <UIKit/PngWriter.h>
#include <UIKit/UIBlurEffect.h>
#include <UIKit/UIButton.h>
#include <UIKit/UIImageView.h>
#include <UIKit/UILabel.h>
#include <UIKit/UINavigationBar.h>
#include <UIKit/UINavigationController.h>
#include <UIKit/UINavigationItem.h>
#include <UIKit/UIStatusBar.h>
#include <UIKit/UISwipeActionPullView.h>
#include <UIKit/UISwitch.h>
#include <UIKit/UITraitCollection.h>
#include <UIKit/UIVisualEffectView.h>
#include <UIKit/UIWindow.h>

#include <cairo.h>
#include <gtest/gtest.h>

#include <limits>

#include <array>
#include <cmath>
#include <cstdio>
#include <filesystem>

namespace {

struct Pixel {
    int red, green, blue;
};

// The pixel under a point of the drawing.
Pixel at(const rt::Ref<UIImage>& image, double x, double y) {
    const std::uint32_t p =
        image->bitmap()->at(static_cast<int>(x * image->scale()), static_cast<int>(y * image->scale()));
    return {static_cast<int>((p >> 16) & 0xFF), static_cast<int>((p >> 8) & 0xFF),
            static_cast<int>(p & 0xFF)};
}

::testing::AssertionResult near(Pixel actual, Pixel expected, int tolerance = 2) {
    if (std::abs(actual.red - expected.red) <= tolerance &&
        std::abs(actual.green - expected.green) <= tolerance &&
        std::abs(actual.blue - expected.blue) <= tolerance)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << "(" << actual.red << ", " << actual.green << ", " << actual.blue << ") is not (" << expected.red
           << ", " << expected.green << ", " << expected.blue << ")";
}

constexpr Pixel kWhite{255, 255, 255};
constexpr Pixel kRed{255, 0, 0};

rt::Ref<UIWindow> whiteWindow(double width = 100, double height = 100) {
    auto window = rt::make<UIWindow>();
    window->setFrame(CGRectMake(0, 0, width, height));
    window->setBackgroundColor(UIColor::whiteColor());
    return window;
}

rt::Ref<UIView> viewAt(CGRect frame, rt::Ref<UIColor> colour) {
    auto view = rt::make<UIView>();
    view->setFrame(frame);
    view->setBackgroundColor(colour);
    return view;
}

rt::Ref<UIColor> red() {
    return UIColor::colorWithRed(1, 0, 0, 1);
}

// How many pixels of the rectangle (in points) differ from white.
int paintedIn(const rt::Ref<UIImage>& image, CGRect rect) {
    int count = 0;
    const double s = image->scale();
    for (int y = static_cast<int>(rect.origin.y * s);
         y < static_cast<int>((rect.origin.y + rect.size.height) * s); ++y)
        for (int x = static_cast<int>(rect.origin.x * s);
             x < static_cast<int>((rect.origin.x + rect.size.width) * s); ++x)
            count += image->bitmap()->at(x, y) != 0xFFFFFFFFu;
    return count;
}

TEST(ScreenshotViews, TheCentreOfAFrameHasTheViewsColourCompositedOverWhatIsBehind) {
    auto window = whiteWindow();
    window->addSubview(viewAt(CGRectMake(10, 10, 30, 30), UIColor::colorWithRed(1, 0, 0, 0.5)));
    window->addSubview(viewAt(CGRectMake(60, 10, 30, 30), UIColor::colorWithRed(0, 0, 1, 1)));
    rt::Ref<UIImage> image = render::Screenshot::draw(window, 2);
    ASSERT_TRUE(image);
    EXPECT_EQ(image->bitmap()->width, 200);
    EXPECT_TRUE(near(at(image, 25, 25), {255, 128, 128}));
    EXPECT_TRUE(near(at(image, 75, 25), {0, 0, 255}));
    EXPECT_TRUE(near(at(image, 50, 70), kWhite));
    // A window without a background shows the screen's black.
    window->setBackgroundColor(nullptr);
    EXPECT_TRUE(near(at(render::Screenshot::draw(window, 1), 50, 70), {0, 0, 0}));
}

TEST(ScreenshotViews, AlphaOfAncestorsMultipliesAndHiddenOrTransparentViewsPaintNothing) {
    auto window = whiteWindow();
    auto parent = viewAt(CGRectMake(10, 10, 80, 80), nullptr);
    parent->setAlpha(0.5);
    parent->addSubview(viewAt(CGRectMake(0, 0, 40, 40), red()));
    window->addSubview(parent);
    rt::Ref<UIImage> image = render::Screenshot::draw(window, 1);
    EXPECT_TRUE(near(at(image, 20, 20), {255, 128, 128}));

    window->addSubview(viewAt(CGRectMake(50, 50, 40, 40), red()));
    const rt::Ref<UIImage> before = render::Screenshot::draw(window, 1);
    auto hidden = viewAt(CGRectMake(0, 0, 100, 100), UIColor::colorWithRed(0, 1, 0, 1));
    hidden->setHidden(YES);
    hidden->addSubview(viewAt(CGRectMake(0, 0, 50, 50), red()));
    window->addSubview(hidden);
    auto invisible = viewAt(CGRectMake(0, 0, 100, 100), UIColor::colorWithRed(0, 1, 0, 1));
    invisible->setAlpha(0);
    invisible->addSubview(viewAt(CGRectMake(0, 0, 50, 50), red()));
    window->addSubview(invisible);
    EXPECT_EQ(render::Screenshot::draw(window, 1)->bitmap()->pixels, before->bitmap()->pixels);
}

TEST(ScreenshotViews, RoundedCornersBordersAndScaleTransforms) {
    auto window = whiteWindow();
    auto round = viewAt(CGRectMake(10, 10, 40, 40), red());
    round->layer()->setCornerRadius(20);
    window->addSubview(round);
    auto framed = viewAt(CGRectMake(60, 10, 30, 30), nullptr);
    framed->layer()->setBorderWidth(4);
    framed->layer()->setBorderColor(UIColor::colorWithRed(0, 0, 1, 1));
    window->addSubview(framed);
    auto grown = viewAt(CGRectMake(20, 65, 20, 20), red());
    grown->setTransform(CGAffineTransformMakeScale(2, 1.5)); // about the centre: 10…50 by 60…90
    window->addSubview(grown);

    rt::Ref<UIImage> image = render::Screenshot::draw(window, 2);
    EXPECT_TRUE(near(at(image, 10.5, 10.5), kWhite)); // the corner's outer pixel shows what is behind
    EXPECT_TRUE(near(at(image, 30, 30), kRed));
    EXPECT_TRUE(near(at(image, 30, 10.5), kRed)); // the middle of an edge is not cut
    EXPECT_TRUE(near(at(image, 61, 25), {0, 0, 255}));
    EXPECT_TRUE(near(at(image, 75, 25), kWhite));
    EXPECT_TRUE(near(at(image, 11, 75), kRed));
    EXPECT_TRUE(near(at(image, 49, 61), kRed));
    EXPECT_TRUE(near(at(image, 9, 75), kWhite));
    EXPECT_TRUE(near(at(image, 30, 58), kWhite));
}

TEST(ScreenshotViews, AClippingViewKeepsItsSubviewsAndImageInside) {
    auto window = whiteWindow();
    auto clip = viewAt(CGRectMake(20, 20, 40, 40), nullptr);
    clip->setClipsToBounds(YES);
    clip->layer()->setCornerRadius(8);
    auto picture = rt::make<UIImageView>();
    uikit::ImageBitmap blue{4, 2, std::vector<std::uint32_t>(8, 0xFF0000FFu)};
    picture->setImage(UIImage::imageWithBitmap(blue));
    picture->setContentMode(UIViewContentModeScaleAspectFill); // 80 wide, overflowing both sides
    picture->setFrame(CGRectMake(0, 0, 40, 40));
    clip->addSubview(picture);
    window->addSubview(clip);

    rt::Ref<UIImage> image = render::Screenshot::draw(window, 1);
    EXPECT_TRUE(near(at(image, 40, 40), {0, 0, 255}));
    EXPECT_EQ(paintedIn(image, CGRectMake(0, 0, 100, 20)), 0);
    EXPECT_EQ(paintedIn(image, CGRectMake(0, 20, 20, 40)), 0);
    EXPECT_EQ(paintedIn(image, CGRectMake(60, 20, 40, 40)), 0);
    EXPECT_TRUE(near(at(image, 20.5, 20.5), kWhite)); // rounded clip

    clip->setClipsToBounds(NO); // the overflow shows
    EXPECT_TRUE(near(at(render::Screenshot::draw(window, 1), 5, 40), {0, 0, 255}));
}

TEST(ScreenshotImages, ContentModesPlaceTheImageAndTemplatesTakeTheTint) {
    auto window = whiteWindow();
    auto picture = rt::make<UIImageView>();
    uikit::ImageBitmap wide{4, 2, std::vector<std::uint32_t>(8, 0xFF0000FFu)};
    picture->setImage(UIImage::imageWithBitmap(wide));
    picture->setFrame(CGRectMake(0, 0, 40, 40));
    window->addSubview(picture);

    picture->setContentMode(UIViewContentModeScaleToFill);
    EXPECT_TRUE(near(at(render::Screenshot::draw(window, 1), 2, 2), {0, 0, 255}));
    picture->setContentMode(UIViewContentModeScaleAspectFit); // 40×20, centred
    rt::Ref<UIImage> fit = render::Screenshot::draw(window, 1);
    EXPECT_TRUE(near(at(fit, 2, 5), kWhite));
    EXPECT_TRUE(near(at(fit, 2, 20), {0, 0, 255}));

    auto symbol = rt::make<UIImageView>();
    symbol->setImage(UIImage::systemImageNamed("paperplane.fill"));
    symbol->setFrame(CGRectMake(50, 50, 40, 40));
    symbol->setTintColor(UIColor::colorWithRed(0, 0.5, 0, 1));
    window->addSubview(symbol);
    rt::Ref<UIImage> image = render::Screenshot::draw(window, 2);
    EXPECT_TRUE(near(at(image, 70, 70), {0, 128, 0}));
    EXPECT_GT(paintedIn(image, CGRectMake(50, 50, 40, 40)), 1000);
    EXPECT_EQ(paintedIn(image, CGRectMake(50, 90, 50, 10)), 0);
}

TEST(ScreenshotText, TheSystemFontIsInterAtAbsolutePointSizes) {
    EXPECT_EQ(render::Typesetter::resolvedFamily(UIFont::systemFontOfSize(17).get()), "Inter");
    EXPECT_EQ(render::Typesetter::resolvedFamily(UIFont::systemFontOfSize(13, UIFontWeightSemibold).get()),
              "Inter");

    auto window = whiteWindow(200, 200);
    auto label = rt::make<UILabel>();
    label->setFrame(CGRectMake(10, 10, 180, 180));
    label->setText("H");
    label->setFont(UIFont::systemFontOfSize(100));
    label->setTextAlignment(NSTextAlignmentCenter);
    window->addSubview(label);
    rt::Ref<UIImage> image = render::Screenshot::draw(window, 1);
    int top = 200, bottom = -1;
    for (int y = 0; y < 200; ++y)
        if (paintedIn(image, CGRectMake(0, y, 200, 1)) > 0)
            top = std::min(top, y), bottom = std::max(bottom, y);
    // Inter's capitals are 0.73 em tall: 73 points, not the 97 a 96-dpi reading gives.
    EXPECT_NEAR(bottom - top + 1, 73, 4);
}

TEST(ScreenshotText, OneLineIsCutWithAnEllipsisAndColoursFollowTheAttributes) {
    auto window = whiteWindow(200, 100);
    auto label = rt::make<UILabel>();
    label->setFrame(CGRectMake(10, 10, 100, 20));
    label->setText("A sentence far too long for a hundred points of width");
    window->addSubview(label);
    rt::Ref<UIImage> image = render::Screenshot::draw(window, 2);
    EXPECT_GT(paintedIn(image, CGRectMake(10, 10, 100, 20)), 100);
    EXPECT_EQ(paintedIn(image, CGRectMake(110, 0, 90, 100)), 0);
    EXPECT_EQ(paintedIn(image, CGRectMake(0, 32, 200, 68)), 0);

    label->setNumberOfLines(0); // wraps, centred in a taller frame
    label->setFrame(CGRectMake(10, 10, 100, 80));
    rt::Ref<UIImage> wrapped = render::Screenshot::draw(window, 2);
    EXPECT_GT(paintedIn(wrapped, CGRectMake(10, 60, 100, 30)), 50);
    EXPECT_EQ(paintedIn(wrapped, CGRectMake(110, 0, 90, 100)), 0);

    // Attributed text's colour and font win over the label's own.
    label->setTextColor(UIColor::colorWithRed(0, 0, 1, 1));
    label->setNumberOfLines(1);
    label->setFrame(CGRectMake(10, 10, 180, 40));
    auto colourOf = [&](rt::Ref<UIImage> image) {
        int reds = 0, blues = 0, rows = 0;
        for (int y = 10; y < 50; ++y) {
            bool inked = false;
            for (int x = 10; x < 190; ++x) {
                Pixel p = at(image, x, y);
                reds += p.red == 255 && p.green == 0 && p.blue == 0;
                blues += p.red == 0 && p.green == 0 && p.blue == 255;
                inked = inked || p.red != 255 || p.green != 255 || p.blue != 255;
            }
            rows += inked;
        }
        return std::array<int, 3>{reds, blues, rows};
    };
    label->setText("WWWW");
    const auto plain = colourOf(render::Screenshot::draw(window, 1));
    EXPECT_EQ(plain[0], 0);
    EXPECT_GT(plain[1], 20);
    label->setAttributedText(NSAttributedString::initWithString(
        "WWWW", {{NSForegroundColorAttributeName, UIColor::colorWithRed(1, 0, 0, 1)},
                 {NSFontAttributeName, UIFont::systemFontOfSize(30, UIFontWeightBold)}}));
    const auto attributed = colourOf(render::Screenshot::draw(window, 1));
    EXPECT_GT(attributed[0], 50);
    EXPECT_EQ(attributed[1], 0);
    EXPECT_GT(attributed[2], plain[2]); // the larger font
}

TEST(ScreenshotText, EverySizeKeepsToItsBoxAndNoSizeDrawsNothing) {
    // Text of every size is laid out at one size and scaled as it is drawn:
    // the box it is cut to must scale the other way.
    auto window = whiteWindow(300, 100);
    auto label = rt::make<UILabel>();
    label->setText("A sentence far too long for a hundred points of width");
    window->addSubview(label);
    for (const CGFloat size : {11.0, 17.0, 34.0}) {
        label->setFont(UIFont::systemFontOfSize(size));
        label->setFrame(CGRectMake(10, 10, 100, 60));
        rt::Ref<UIImage> image = render::Screenshot::draw(window, 2);
        EXPECT_EQ(paintedIn(image, CGRectMake(112, 0, 188, 100)), 0) << size << " points";
        // Cut with its ellipsis at the box's end, not short of it.
        EXPECT_GT(paintedIn(image, CGRectMake(90, 10, 20, 60)), 0) << size << " points";
    }
    for (const CGFloat size : {0.0, -3.0, std::numeric_limits<double>::quiet_NaN()}) {
        label->setFont(UIFont::systemFontOfSize(size));
        EXPECT_EQ(paintedIn(render::Screenshot::draw(window, 2), CGRectMake(0, 0, 300, 100)), 0) << size;
    }
}

TEST(ScreenshotControls, SwitchesBarsAndButtonsShowTheirTints) {
    auto window = whiteWindow(200, 200);
    auto on = rt::make<UISwitch>();
    on->setFrame(CGRectMake(10, 100, 51, 31));
    on->setOn(YES);
    on->setOnTintColor(UIColor::colorWithRed(1, 0.5, 0, 1));
    window->addSubview(on);
    auto bar = rt::make<UINavigationBar>();
    bar->setFrame(CGRectMake(0, 0, 200, 44));
    bar->setBarTintColor(UIColor::colorWithRed(0.2, 0.4, 0.6, 1));
    window->addSubview(bar);
    auto button = UIButton::buttonWithType(UIButtonTypeSystem);
    button->setFrame(CGRectMake(100, 150, 90, 40));
    button->setTitle("Apply", 0);
    button->setTintColor(UIColor::colorWithRed(0, 0.6, 0, 1));
    window->addSubview(button);

    rt::Ref<UIImage> image = render::Screenshot::draw(window, 2);
    EXPECT_TRUE(near(at(image, 16, 115), {255, 128, 0})); // the track left of the knob
    EXPECT_TRUE(near(at(image, 45, 115), kWhite));        // the knob on the right
    EXPECT_TRUE(near(at(image, 100, 5), {51, 102, 153})); // the bar's tint
    EXPECT_EQ(paintedIn(image, CGRectMake(100, 150, 90, 40)) > 0, true);
    int greens = 0;
    for (int y = 150; y < 190; ++y)
        for (int x = 100; x < 190; ++x) {
            Pixel p = at(image, x, y);
            greens += p.red == 0 && p.green == 153 && p.blue == 0;
        }
    EXPECT_GT(greens, 10); // the title in the tint

    on->setOn(NO);
    EXPECT_TRUE(near(at(render::Screenshot::draw(window, 2), 16, 115), kWhite)); // knob on the left now
}

TEST(ScreenshotControls, ANavigationBarShowsItsStacksTitleAndItemsAboveItsBackgroundViews) {
    auto window = whiteWindow(300, 100);
    auto page = rt::make<UIViewController>();
    page->navigationItem()->setTitle("Title");
    auto apply = rt::make<UIBarButtonItem>();
    apply->initWithTitle("Apply", UIBarButtonItemStyleDone, nullptr, nullptr);
    page->navigationItem()->setRightBarButtonItem(apply);
    auto stack = rt::make<UINavigationController>();
    stack->initWithRootViewController(page);
    window->setRootViewController(stack);
    stack->view()->setFrame(window->bounds());
    stack->navigationBar()->setFrame(CGRectMake(0, 0, 300, 44));
    stack->navigationBar()->setTintColor(UIColor::colorWithRed(1, 0, 0, 1));
    // A background view inside the bar, as the device keeps one, does not hide the items.
    stack->navigationBar()->addSubview(viewAt(CGRectMake(0, 0, 300, 44), UIColor::colorWithRed(0, 0, 1, 1)));

    rt::Ref<UIImage> image = render::Screenshot::draw(window, 2);
    int title = 0, item = 0;
    for (int y = 0; y < 44; ++y)
        for (int x = 0; x < 300; ++x) {
            Pixel p = at(image, x, y);
            title += x > 100 && x < 200 && p.blue < 128 && p.red < 128; // dark text on blue
            item += x > 200 && p.red > 200 && p.blue < 60;              // the tint
        }
    EXPECT_GT(title, 50);
    EXPECT_GT(item, 50);
}

TEST(ScreenshotLooks, DynamicColoursResolveInTheProcesssLook) {
    auto window = whiteWindow();
    window->addSubview(viewAt(CGRectMake(0, 0, 100, 100), UIColor::systemBackgroundColor()));
    EXPECT_TRUE(near(at(render::Screenshot::draw(window, 1), 50, 50), kWhite));
    UITraitCollection::setCurrentUserInterfaceStyle(UIUserInterfaceStyle::dark);
    Pixel dark = at(render::Screenshot::draw(window, 1), 50, 50);
    UITraitCollection::setCurrentUserInterfaceStyle(UIUserInterfaceStyle::light);
    EXPECT_TRUE(near(dark, {0, 0, 0}));
}

// A 100-point column whose gradient runs red to blue over its parent's 200 points.
struct GradientStrip {
    rt::Ref<UIWindow> window = whiteWindow(100, 200);
    rt::Ref<UIView> span = viewAt(CGRectMake(0, 0, 100, 200), nullptr);
    rt::Ref<UIView> upper = viewAt(CGRectMake(0, 0, 40, 100), UIColor::whiteColor());
    rt::Ref<UIView> lower = viewAt(CGRectMake(50, 100, 40, 100), UIColor::whiteColor());
    GradientStrip() {
        window->addSubview(span);
        span->addSubview(upper);
        span->addSubview(lower);
    }
};

TEST(ScreenshotGradients, AGradientFollowsItsSpanSoViewsAtOtherHeightsShowOtherColours) {
    GradientStrip strip;
    const std::vector<rt::Ref<UIColor>> redToBlue{UIColor::colorWithRed(1, 0, 0, 1),
                                                  UIColor::colorWithRed(0, 0, 1, 1)};
    strip.upper->layer()->setGradient(redToBlue, strip.span);
    strip.lower->layer()->setGradient(redToBlue, strip.span);
    rt::Ref<UIImage> shot = render::Screenshot::draw(strip.window, 1);
    EXPECT_TRUE(near(at(shot, 20, 0.5), kRed, 3));
    EXPECT_TRUE(near(at(shot, 20, 50), {191, 0, 64}, 3));  // a quarter of the way
    EXPECT_TRUE(near(at(shot, 70, 150), {64, 0, 191}, 3)); // three quarters, in the other view
    EXPECT_TRUE(near(at(shot, 70, 199.5), {0, 0, 255}, 3));
    // Within one view the colour moves from its top edge to its bottom edge.
    const Pixel top = at(shot, 70, 101), bottom = at(shot, 70, 198);
    EXPECT_GT(top.red, bottom.red);
    EXPECT_LT(top.blue, bottom.blue);

    // Without a span the view's own bounds are the span.
    strip.lower->layer()->setGradient(redToBlue, nullptr);
    shot = render::Screenshot::draw(strip.window, 1);
    EXPECT_TRUE(near(at(shot, 70, 100.5), kRed, 3));
    EXPECT_TRUE(near(at(shot, 70, 150), {128, 0, 128}, 3));
}

TEST(ScreenshotGradients, OneColourOrEqualColoursStayFlatAndAlphaIsKept) {
    GradientStrip strip;
    strip.upper->setBackgroundColor(UIColor::colorWithRed(0, 1, 0, 1));
    strip.upper->layer()->setGradient({UIColor::colorWithRed(0, 1, 0, 1), UIColor::colorWithRed(0, 1, 0, 1)},
                                      strip.span);
    EXPECT_TRUE(strip.upper->layer()->gradientColors().empty());
    strip.lower->layer()->setGradient({UIColor::colorWithRed(1, 0, 0, 1)}, strip.span);
    EXPECT_TRUE(strip.lower->layer()->gradientColors().empty());
    rt::Ref<UIImage> shot = render::Screenshot::draw(strip.window, 1);
    EXPECT_TRUE(near(at(shot, 20, 1), {0, 255, 0}));
    EXPECT_TRUE(near(at(shot, 20, 99), {0, 255, 0}));
    EXPECT_TRUE(near(at(shot, 70, 150), kWhite)); // its background, untouched

    // Half-transparent ends over white: the white shows through.
    strip.lower->layer()->setGradient(
        {UIColor::colorWithRed(1, 0, 0, 0.5), UIColor::colorWithRed(0, 0, 1, 0.5)}, strip.span);
    strip.lower->setBackgroundColor(nullptr);
    shot = render::Screenshot::draw(strip.window, 1);
    EXPECT_TRUE(near(at(shot, 70, 199.5), {128, 128, 255}, 3));
}

TEST(ScreenshotControls, ASwipeButtonHoldsItsIconCentredAsASubviewDrawnInItsTint) {
    auto window = whiteWindow(100, 60);
    auto pull = rt::make<UISwipeActionPullView>();
    pull->setFrame(CGRectMake(0, 0, 100, 60));
    rt::Ref<UISwipeActionStandardButton> button =
        pull->addAction(UIImage::systemImageNamed("circle.fill"), UIColor::blackColor());
    window->addSubview(pull);
    window->layoutIfNeeded();
    rt::Ref<UIImageView> icon = button->imageView();
    ASSERT_EQ(icon->superview().get(), button.get());
    EXPECT_EQ(icon->frame().size.width, icon->image()->size().width);
    EXPECT_NEAR(icon->frame().origin.x + icon->frame().size.width / 2, 50, 1e-9); // centred
    icon->setTintColor(UIColor::colorWithRed(1, 0, 0, 1));
    rt::Ref<UIImage> shot = render::Screenshot::draw(window, 2);
    EXPECT_TRUE(near(at(shot, 50, 30), kRed)); // not the white the button would draw on its own
}

TEST(ScreenshotLooks, TheStatusBarKeepsDarkContentInTheLightLookAndLightInTheDark) {
    auto window = whiteWindow(390, 47);
    window->setBackgroundColor(UIColor::colorWithRed(0.1, 0.1, 0.1, 1)); // a dark bar under it
    auto bar = rt::make<UIStatusBar>();
    bar->setFrame(CGRectMake(0, 0, 390, 47));
    window->addSubview(bar);
    window->layoutIfNeeded();
    EXPECT_EQ(bar->timeLabel()->text(), "9:41");
    auto darkest = [&](const rt::Ref<UIImage>& shot) {
        int lowest = 255, highest = 0;
        const CGRect time = bar->timeLabel()->frame();
        for (double x = time.origin.x; x < time.origin.x + time.size.width; x += 0.5)
            for (double y = time.origin.y; y < time.origin.y + time.size.height; y += 0.5) {
                lowest = std::min(lowest, at(shot, x, y).green);
                highest = std::max(highest, at(shot, x, y).green);
            }
        return std::pair{lowest, highest};
    };
    EXPECT_LT(darkest(render::Screenshot::draw(window, 2)).first, 10); // black text on the dark bar
    UITraitCollection::setCurrentUserInterfaceStyle(UIUserInterfaceStyle::dark);
    const auto dark = darkest(render::Screenshot::draw(window, 2));
    UITraitCollection::setCurrentUserInterfaceStyle(UIUserInterfaceStyle::light);
    EXPECT_GT(dark.second, 245);
    EXPECT_GE(dark.first, 20);
}

// Black on the left half, white on the right, under a blur across the middle.
rt::Ref<UIWindow> edgeUnderBlur(rt::Ref<UIVisualEffect> effect) {
    auto window = whiteWindow(400, 200);
    window->addSubview(viewAt(CGRectMake(0, 0, 200, 200), UIColor::blackColor()));
    auto blur = rt::make<UIVisualEffectView>();
    blur->initWithEffect(effect);
    blur->setFrame(CGRectMake(50, 50, 300, 100));
    window->addSubview(blur);
    return window;
}

TEST(ScreenshotBlur, ASharpEdgeSpreadsOverTheRadiusThenTheTintIsLaidOver) {
    // Light: a 30-point radius under white at 0.3.
    rt::Ref<UIImage> image =
        render::Screenshot::draw(edgeUnderBlur(UIBlurEffect::effectWithStyle(UIBlurEffectStyleLight)), 1);
    auto expected = [](double offset) {
        const double blurred = 0.5 * std::erfc(-offset / 30 / std::sqrt(2.0));
        return static_cast<int>(std::lround(255 * (0.7 * blurred + 0.3)));
    };
    for (double offset : {-60.0, -30.0, -10.0, 10.0, 30.0, 60.0}) {
        const int value = at(image, 200 + offset, 100).red;
        EXPECT_NEAR(value, expected(offset + 0.5), 0.04 * 255) << offset;
    }
    // Outside the effect view nothing changed.
    EXPECT_TRUE(near(at(image, 190, 40), {0, 0, 0}, 0));
    EXPECT_TRUE(near(at(image, 210, 160), kWhite, 0));

    // Dark: grey 0.11 at 0.73 over a 20-point blur; far from the edge that is plain compositing.
    rt::Ref<UIImage> dark =
        render::Screenshot::draw(edgeUnderBlur(UIBlurEffect::effectWithStyle(UIBlurEffectStyleDark)), 1);
    EXPECT_NEAR(at(dark, 60, 100).red, std::lround(255 * 0.11 * 0.73), 2);
    EXPECT_NEAR(at(dark, 340, 100).red, std::lround(255 * (0.11 * 0.73 + 0.27)), 2);
    EXPECT_NEAR(at(dark, 200 + 20, 100).red, std::lround(255 * (0.11 * 0.73 + 0.27 * 0.841)), 0.04 * 255);

    // The material follows the look.
    rt::Ref<UIWindow> material =
        edgeUnderBlur(UIBlurEffect::effectWithStyle(UIBlurEffectStyleSystemMaterial));
    const int light = at(render::Screenshot::draw(material, 1), 340, 100).red;
    UITraitCollection::setCurrentUserInterfaceStyle(UIUserInterfaceStyle::dark);
    const int inDark = at(render::Screenshot::draw(material, 1), 340, 100).red;
    UITraitCollection::setCurrentUserInterfaceStyle(UIUserInterfaceStyle::light);
    EXPECT_GT(light, 200);
    EXPECT_LT(inDark, 120);
}

TEST(ScreenshotBlur, AnEffectViewWithoutAnEffectDrawsNothing) {
    const rt::Ref<UIImage> plain = render::Screenshot::draw(edgeUnderBlur(nullptr), 1);
    auto window = whiteWindow(400, 200);
    window->addSubview(viewAt(CGRectMake(0, 0, 200, 200), UIColor::blackColor()));
    EXPECT_EQ(plain->bitmap()->pixels, render::Screenshot::draw(window, 1)->bitmap()->pixels);
    // Nor does a style the platform lacks.
    EXPECT_EQ(render::Screenshot::draw(
                  edgeUnderBlur(UIBlurEffect::effectWithStyle(static_cast<UIBlurEffectStyle>(99))), 1)
                  ->bitmap()
                  ->pixels,
              plain->bitmap()->pixels);
}

TEST(ScreenshotFiles, TwoRunsWriteTheSameBytesAndBadRequestsAreRefused) {
    auto window = whiteWindow(120, 80);
    auto label = rt::make<UILabel>();
    label->setFrame(CGRectMake(5, 5, 110, 30));
    label->setText("Same every time");
    window->addSubview(label);
    window->addSubview(
        edgeUnderBlur(UIBlurEffect::effectWithStyle(UIBlurEffectStyleLight))->subviews().back());

    const std::string folder =
        std::filesystem::temp_directory_path() / ("render-test-" + std::to_string(getpid()));
    std::filesystem::create_directories(folder);
    ASSERT_TRUE(render::Screenshot::writePNG(window, folder + "/a.png", 3));
    ASSERT_TRUE(render::Screenshot::writePNG(window, folder + "/b.png", 3));
    auto read = [](const std::string& path) {
        std::FILE* file = std::fopen(path.c_str(), "rb");
        std::vector<char> bytes;
        for (int c; file && (c = std::fgetc(file)) != EOF;)
            bytes.push_back(static_cast<char>(c));
        if (file)
            std::fclose(file);
        return bytes;
    };
    const auto a = read(folder + "/a.png");
    EXPECT_GT(a.size(), 100u);
    EXPECT_EQ(a, read(folder + "/b.png"));
    rt::Ref<UIImage> back = UIImage::imageWithData(std::vector<std::uint8_t>(a.begin(), a.end()));
    ASSERT_TRUE(back);
    EXPECT_EQ(back->bitmap()->width, 360);

    EXPECT_FALSE(render::Screenshot::writePNG(window, folder + "/missing/c.png", 3));
    EXPECT_FALSE(render::Screenshot::draw(window, 0));
    EXPECT_FALSE(render::Screenshot::draw(window, std::nan("")));
    EXPECT_FALSE(render::Screenshot::draw(window, 1000)); // over the image size limit
    EXPECT_FALSE(render::Screenshot::draw(nullptr, 3));
    std::filesystem::remove_all(folder);
}

// PNG bytes decoded by cairo's reader, as premultiplied ARGB words.
std::vector<std::uint32_t> decoded(const std::vector<std::uint8_t>& png) {
    struct Reader {
        const std::vector<std::uint8_t>* bytes;
        size_t at = 0;
    } reader{&png};
    auto read = [](void* closure, unsigned char* data, unsigned int length) -> cairo_status_t {
        auto* from = static_cast<Reader*>(closure);
        if (from->at + length > from->bytes->size())
            return CAIRO_STATUS_READ_ERROR;
        std::copy_n(from->bytes->data() + from->at, length, data);
        from->at += length;
        return CAIRO_STATUS_SUCCESS;
    };
    cairo_surface_t* surface = cairo_image_surface_create_from_png_stream(read, &reader);
    std::vector<std::uint32_t> pixels;
    if (cairo_surface_status(surface) == CAIRO_STATUS_SUCCESS) {
        cairo_surface_flush(surface);
        const int width = cairo_image_surface_get_width(surface);
        const int height = cairo_image_surface_get_height(surface);
        const int stride = cairo_image_surface_get_stride(surface);
        const unsigned char* data = cairo_image_surface_get_data(surface);
        for (int y = 0; y < height; ++y) {
            const auto* row = reinterpret_cast<const std::uint32_t*>(data + static_cast<size_t>(y) * stride);
            pixels.insert(pixels.end(), row, row + width);
        }
    }
    cairo_surface_destroy(surface);
    return pixels;
}

// What the screenshots were encoded with before: cairo's own PNG writer.
std::vector<std::uint8_t> cairoPNG(const uikit::ImageBitmap& bitmap) {
    std::vector<std::uint32_t> pixels = bitmap.pixels;
    cairo_surface_t* surface = cairo_image_surface_create_for_data(
        reinterpret_cast<unsigned char*>(pixels.data()), CAIRO_FORMAT_ARGB32, bitmap.width, bitmap.height,
        bitmap.strideBytes());
    std::vector<std::uint8_t> out;
    auto write = [](void* closure, const unsigned char* data, unsigned int length) -> cairo_status_t {
        auto* bytes = static_cast<std::vector<std::uint8_t>*>(closure);
        bytes->insert(bytes->end(), data, data + length);
        return CAIRO_STATUS_SUCCESS;
    };
    cairo_surface_write_to_png_stream(surface, write, &out);
    cairo_surface_destroy(surface);
    return out;
}

TEST(ScreenshotFiles, TheEncoderKeepsEveryPixelOfTheFormerOneOpaqueOrTranslucent) {
    // A screen with text, a blur, rounded corners and a gradient, at the phone's scale.
    auto window = whiteWindow(200, 160);
    auto label = rt::make<UILabel>();
    label->setFrame(CGRectMake(5, 5, 190, 30));
    label->setText("Pixels stay pixels");
    window->addSubview(label);
    auto balloon = rt::make<UIView>();
    balloon->setFrame(CGRectMake(10, 40, 150, 60));
    balloon->layer()->setCornerRadius(18);
    balloon->layer()->setGradient({UIColor::colorWithRed(1, 0, 0, 1), UIColor::colorWithRed(0, 0, 1, 1)},
                                  window);
    window->addSubview(balloon);
    window->addSubview(
        edgeUnderBlur(UIBlurEffect::effectWithStyle(UIBlurEffectStyleLight))->subviews().back());
    rt::Ref<UIImage> screen = render::Screenshot::draw(window, 3);
    ASSERT_TRUE(screen);

    // Every alpha with colours up to it, premultiplied as drawings are.
    uikit::ImageBitmap translucent{256, 64, {}};
    for (std::uint32_t y = 0; y < 64; ++y)
        for (std::uint32_t alpha = 0; alpha < 256; ++alpha) {
            const std::uint32_t red = alpha * y / 63, green = alpha / 2, blue = alpha - red;
            translucent.pixels.push_back(alpha << 24 | red << 16 | green << 8 | blue);
        }

    const uikit::ImageBitmap* const drawn = screen->bitmap();
    for (const uikit::ImageBitmap* bitmap : {drawn, static_cast<const uikit::ImageBitmap*>(&translucent)}) {
        const std::optional<std::vector<std::uint8_t>> png = uikit::PngWriter::encode(*bitmap);
        ASSERT_TRUE(png);
        const std::vector<std::uint32_t> before = decoded(cairoPNG(*bitmap));
        ASSERT_EQ(before.size(), bitmap->pixels.size());
        EXPECT_TRUE(decoded(*png) == before);
        // Each setting the benchmark tries is lossless too.
        EXPECT_TRUE(decoded(*uikit::PngWriter::encode(*bitmap, {1, 0x08})) == before);
    }
    // Opaque pixels come back exactly as drawn.
    EXPECT_TRUE(decoded(*uikit::PngWriter::encode(*screen->bitmap())) == screen->bitmap()->pixels);

    // The file written for a window holds the same picture as the drawing.
    const std::string path =
        std::filesystem::temp_directory_path() / ("png-test-" + std::to_string(getpid()));
    ASSERT_TRUE(render::Screenshot::writePNG(window, path, 3));
    std::FILE* file = std::fopen(path.c_str(), "rb");
    ASSERT_TRUE(file);
    std::vector<std::uint8_t> bytes;
    for (int c; (c = std::fgetc(file)) != EOF;)
        bytes.push_back(static_cast<std::uint8_t>(c));
    std::fclose(file);
    std::filesystem::remove(path);
    EXPECT_TRUE(decoded(bytes) == screen->bitmap()->pixels);
    EXPECT_FALSE(uikit::PngWriter::encode(uikit::ImageBitmap{}));
    EXPECT_FALSE(uikit::PngWriter::write(translucent, nullptr));
}

} // namespace
