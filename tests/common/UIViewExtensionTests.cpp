#include "UIViewExtension.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

rt::Ref<UIView> viewWithFrame(CGRect frame) {
    rt::Ref<UIView> view = rt::make<UIView>();
    view->initWithFrame(frame);
    return view;
}

// A 300 by 200 superview holding one view made in code at (10, 10, 80, 30).
struct Stage {
    rt::Ref<UIView> superview = viewWithFrame(CGRectMake(0, 0, 300, 200));
    rt::Ref<UIView> view = viewWithFrame(CGRectMake(10, 10, 80, 30));
    Stage() { superview->addSubview(view); }
    UIViewExtension extension() { return UIViewExtension(view); }
    CGRect laidOut() {
        superview->layoutIfNeeded();
        return view->frame();
    }
};

TEST(UIViewExtension, FillGivesTheSuperviewsFullFrame) {
    Stage stage;
    stage.extension().fill();
    EXPECT_FALSE(stage.view->translatesAutoresizingMaskIntoConstraints());
    ASSERT_EQ(stage.superview->constraints().size(), 4u);
    const NSLayoutAttribute order[] = {NSLayoutAttributeTop, NSLayoutAttributeLeading,
                                       NSLayoutAttributeTrailing, NSLayoutAttributeBottom};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(stage.superview->constraints()[i]->firstAttribute(), order[i]);
        EXPECT_EQ(stage.superview->constraints()[i]->constant(), 0);
    }
    EXPECT_EQ(stage.laidOut(), CGRectMake(0, 0, 300, 200));
    stage.superview->setFrame(CGRectMake(0, 0, 390, 100)); // and follows it
    EXPECT_EQ(stage.laidOut(), CGRectMake(0, 0, 390, 100));

    // Without a superview the call makes nothing, but translation is still off.
    auto alone = viewWithFrame(CGRectMake(1, 2, 3, 4));
    UIViewExtension(alone).fill();
    EXPECT_FALSE(alone->translatesAutoresizingMaskIntoConstraints());
    EXPECT_TRUE(alone->constraints().empty());
}

TEST(UIViewExtension, TrailingConstantsAreUsedAsPassed) {
    for (CGFloat padding : {-15.0, 15.0}) {
        Stage stage;
        stage.extension().size(CGSizeMake(120, 35));
        stage.extension().top(stage.superview->topAnchor(), 5);
        stage.extension().trailing(stage.superview->trailingAnchor(), padding);
        // -15 ends 15 points before the superview's trailing edge, +15 15 points beyond it.
        EXPECT_EQ(stage.laidOut(), CGRectMake(300 + padding - 120, 5, 120, 35)) << padding;
    }
    Stage stage;
    stage.extension().top(stage.superview->topAnchor(), stage.superview->leadingAnchor(),
                          stage.superview->bottomAnchor(), stage.superview->trailingAnchor(),
                          UIEdgeInsetsMake(4, 8, -12, -16));
    EXPECT_EQ(stage.laidOut(), CGRectMake(8, 4, 300 - 8 - 16, 200 - 4 - 12));
}

TEST(UIViewExtension, SizeMakesAConstraintOnlyForNonZeroComponents) {
    Stage both;
    both.extension().size(CGSizeMake(120, 35));
    EXPECT_EQ(both.view->constraints().size(), 2u);
    EXPECT_EQ(both.laidOut(), CGRectMake(10, 10, 120, 35));

    Stage heightOnly;
    heightOnly.extension().size(CGSizeMake(0, 35));
    ASSERT_EQ(heightOnly.view->constraints().size(), 1u);
    EXPECT_EQ(heightOnly.view->constraints()[0]->firstAttribute(), NSLayoutAttributeHeight);
    EXPECT_EQ(heightOnly.laidOut(), CGRectMake(10, 10, 80, 35)); // the width nobody set stays

    for (CGFloat zero : {0.0, -0.0}) {
        Stage none;
        none.extension().size(CGSizeMake(zero, zero));
        EXPECT_TRUE(none.view->constraints().empty());
        EXPECT_FALSE(none.view->translatesAutoresizingMaskIntoConstraints());
        EXPECT_EQ(none.laidOut(), CGRectMake(10, 10, 80, 30));
    }

    // Not a number is not zero: a constraint is made, and the layout leaves it out.
    Stage nan;
    nan.extension().size(CGSizeMake(std::nan(""), 35));
    EXPECT_EQ(nan.view->constraints().size(), 2u);
    EXPECT_EQ(nan.laidOut(), CGRectMake(10, 10, 80, 35));

    Stage zeroWidth;
    zeroWidth.extension().width(0);
    zeroWidth.extension().height(12);
    EXPECT_EQ(zeroWidth.laidOut(), CGRectMake(10, 10, 0, 12));
}

TEST(UIViewExtension, AMissingAnchorMakesNothingYetStopsTranslation) {
    Stage stage;
    stage.extension().top(nullptr, 20);
    EXPECT_FALSE(stage.view->translatesAutoresizingMaskIntoConstraints());
    EXPECT_TRUE(stage.superview->constraints().empty());
    EXPECT_TRUE(stage.view->constraints().empty());
    EXPECT_EQ(stage.laidOut(), CGRectMake(10, 10, 80, 30));

    // Of four anchors only top and bottom: two constraints, top first.
    stage.extension().top(stage.superview->topAnchor(), nullptr, stage.superview->bottomAnchor(), nullptr,
                          UIEdgeInsetsMake(10, 0, -10, 0));
    ASSERT_EQ(stage.superview->constraints().size(), 2u);
    EXPECT_EQ(stage.superview->constraints()[0]->firstAttribute(), NSLayoutAttributeTop);
    EXPECT_EQ(stage.superview->constraints()[1]->firstAttribute(), NSLayoutAttributeBottom);
    EXPECT_EQ(stage.laidOut(), CGRectMake(10, 10, 80, 180));

    stage.extension().x(stage.superview->centerXAnchor(), nullptr); // ignored: an anchor is missing
    stage.extension().y(nullptr);
    EXPECT_EQ(stage.superview->constraints().size(), 2u);
}

TEST(UIViewExtension, CentresAndLeadingPlaceTheView) {
    Stage centred;
    centred.extension().size(CGSizeMake(100, 50));
    centred.extension().x(centred.superview->centerXAnchor(), centred.superview->centerYAnchor());
    EXPECT_EQ(centred.laidOut(), CGRectMake(100, 75, 100, 50));

    Stage offset;
    offset.extension().size(CGSizeMake(100, 50));
    offset.extension().x(offset.superview->centerXAnchor(), 10);
    offset.extension().y(offset.superview->centerYAnchor(), -5);
    EXPECT_EQ(offset.laidOut(), CGRectMake(110, 70, 100, 50));

    Stage edges;
    edges.extension().leading(edges.superview->leadingAnchor(), 12);
    edges.extension().bottom(edges.superview->bottomAnchor(), -12);
    edges.extension().x(edges.superview->centerXAnchor());
    edges.extension().y(edges.superview->centerYAnchor());
    // Leading edge and centre fix the width, bottom edge and centre the height.
    EXPECT_EQ(edges.laidOut(), CGRectMake(12, 12, 276, 176));
}

} // namespace
