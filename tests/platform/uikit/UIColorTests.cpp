#include <UIKit/UIColor.h>

#include <gtest/gtest.h>

namespace {

TEST(UIColor, SystemColoursFollowTheAppearanceAndAreShared) {
    auto red = UIColor::systemRedColor();
    EXPECT_EQ(red.get(), UIColor::systemRedColor().get());
    EXPECT_TRUE(red->isDynamic());
    EXPECT_NEAR(red->resolved(UIUserInterfaceStyle::light).green, 59 / 255.0, 1e-9);
    EXPECT_NEAR(red->resolved(UIUserInterfaceStyle::dark).green, 69 / 255.0, 1e-9);

    UITraitCollection::setCurrentUserInterfaceStyle(UIUserInterfaceStyle::dark);
    CGFloat r = 0, g = 0, b = 0, a = 0;
    EXPECT_TRUE(UIColor::labelColor()->getRed(&r, &g, &b, &a));
    EXPECT_EQ(r, 1.0);
    UITraitCollection::setCurrentUserInterfaceStyle(UIUserInterfaceStyle::light);
    UIColor::labelColor()->getRed(&r, &g, &b, &a);
    EXPECT_EQ(r, 0.0);
    EXPECT_EQ(a, 1.0);

    EXPECT_FALSE(UIColor::grayColor()->isDynamic());
    EXPECT_EQ(UIColor::grayColor()->components().red, 0.5);
    EXPECT_TRUE(UIColor::colorWithWhite(0.25, 1)->isEqual(UIColor::colorWithRed(0.25, 0.25, 0.25, 1)));
}

TEST(UIColor, EveryNamedColourIsAClassMethodOfTheMetaclass) {
    Class meta = object_getClass(UIColor::classObject());
    for (const char* name : {"labelColor", "systemBlueColor", "tableCellGroupedBackgroundColor", "grayColor",
                             "systemOrangeColor", "groupTableViewBackgroundColor"})
        EXPECT_TRUE(class_respondsToSelector(meta, sel_registerName(name))) << name;
    EXPECT_FALSE(class_respondsToSelector(UIColor::classObject(), sel_registerName("labelColor")));
}

} // namespace
