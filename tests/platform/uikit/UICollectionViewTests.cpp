#include <UIKit/UICollectionViewController.h>
#include <UIKit/UISearchBar.h>
#include <UIKit/UIWindow.h>

#include <gtest/gtest.h>

namespace {

rt::Ref<UIView> cell() {
    return rt::make<UIView>();
}

struct ListInWindow {
    ListInWindow() {
        window->setFrame(CGRectMake(0, 0, 390, 844));
        list->setFrame(CGRectMake(0, 100, 390, 300));
        window->addSubview(list);
    }
    rt::Ref<UIWindow> window = rt::make<UIWindow>();
    rt::Ref<UICollectionView> list = rt::make<UICollectionView>();
};

TEST(UICollectionView, ItemsStackWithHairlinesOnlyWhereAskedAndTheIndicatorOnTop) {
    ListInWindow screen;
    rt::Ref<UIView> a = cell(), b = cell(), c = cell();
    screen.list->setContentInsetTop(10);
    screen.list->setSeparatorLeadingInset(80);
    screen.list->setItems({{a, 50, UICollectionView::Separator::below},
                           {b, 76, UICollectionView::Separator::none},
                           {c, 76, UICollectionView::Separator::below}});
    screen.window->layoutIfNeeded();

    EXPECT_EQ(a->frame(), CGRectMake(0, 10, 390, 50));
    EXPECT_EQ(b->frame(), CGRectMake(0, 60, 390, 76));
    EXPECT_EQ(c->frame(), CGRectMake(0, 136, 390, 76));
    std::vector<CGRect> hairlines;
    for (const auto& view : screen.list->subviews())
        if (rt::is<_UICollectionViewListSeparatorView>(view.get()))
            hairlines.push_back(view->frame());
    ASSERT_EQ(hairlines.size(), 2u);
    EXPECT_EQ(hairlines[0], CGRectMake(80, 60 - 1.0 / 3.0, 310, 1.0 / 3.0));
    EXPECT_EQ(hairlines[1], CGRectMake(80, 212 - 1.0 / 3.0, 310, 1.0 / 3.0));
    EXPECT_EQ(screen.list->subviews().back(), screen.list->scrollIndicator());
    EXPECT_EQ(screen.list->scrollIndicator()->isHidden(), YES); // 212 points fit in 300
    EXPECT_EQ(screen.list->contentHeight(), 202);

    // More than fits: the indicator shows, its length the share in view.
    screen.list->setItemHeight(1, 500);
    screen.window->layoutIfNeeded();
    EXPECT_EQ(screen.list->scrollIndicator()->isHidden(), NO);
    EXPECT_NEAR(screen.list->scrollIndicator()->frame().size.height, 294 * 300 / 636.0, 1e-9);

    // Replacing the items lets go of the old cells and their hairlines.
    screen.list->setItems({{b, 40, UICollectionView::Separator::none}});
    screen.window->layoutIfNeeded();
    EXPECT_EQ(a->superview(), nullptr);
    EXPECT_EQ(c->superview(), nullptr);
    EXPECT_EQ(screen.list->subviews().size(), 2u); // b and the indicator
}

TEST(UICollectionView, TheBackgroundViewStaysBehindEveryCellAndFollowsTheBounds) {
    ListInWindow screen;
    rt::Ref<UIView> a = cell();
    screen.list->setItems({{a, 50, UICollectionView::Separator::none}});
    rt::Ref<UIView> first = rt::make<UIView>();
    screen.list->setBackgroundView(first);
    screen.window->layoutIfNeeded();
    EXPECT_EQ(screen.list->subviews().front(), first);
    EXPECT_EQ(first->frame(), CGRectMake(0, 0, 390, 300));

    // New cells after the background still go above it; a new size follows.
    rt::Ref<UIView> b = cell();
    screen.list->setItems({{b, 50, UICollectionView::Separator::none}});
    screen.list->setFrame(CGRectMake(0, 0, 844, 390));
    screen.window->layoutIfNeeded();
    EXPECT_EQ(screen.list->subviews().front(), first);
    EXPECT_EQ(first->frame(), CGRectMake(0, 0, 844, 390));

    // A replaced background leaves; none at all leaves nothing behind.
    rt::Ref<UIView> second = rt::make<UIView>();
    screen.list->setBackgroundView(second);
    screen.window->layoutIfNeeded();
    EXPECT_EQ(first->superview(), nullptr);
    EXPECT_EQ(screen.list->subviews().front(), second);
    screen.list->setBackgroundView(nullptr);
    screen.window->layoutIfNeeded();
    EXPECT_EQ(second->superview(), nullptr);
}

TEST(UICollectionView, ChangingAnItemsHeightLaysOutOnlyWhenItDiffers) {
    ListInWindow screen;
    rt::Ref<UIView> a = cell(), b = cell();
    screen.list->setItems(
        {{a, 50, UICollectionView::Separator::none}, {b, 50, UICollectionView::Separator::none}});
    screen.window->layoutIfNeeded();
    screen.list->setItemHeight(0, 50);
    screen.list->setItemHeight(7, 10); // past the end: nothing
    // A pass now would find nothing to do: moving b is the proof that none ran.
    b->setFrame(CGRectMake(1, 2, 3, 4));
    screen.window->layoutIfNeeded();
    EXPECT_EQ(b->frame(), CGRectMake(1, 2, 3, 4));
    screen.list->setItemHeight(0, 80);
    screen.window->layoutIfNeeded();
    EXPECT_EQ(b->frame(), CGRectMake(0, 80, 390, 50));
}

TEST(UICollectionViewController, ItsViewIsTheCollectionViewAndOverridesMakeTheirOwn) {
    rt::Ref<UICollectionViewController> controller = rt::make<UICollectionViewController>();
    rt::Ref<UICollectionView> list = controller->collectionView();
    ASSERT_TRUE(list);
    EXPECT_EQ(controller->view(), list);
    EXPECT_EQ(controller->collectionView(), list); // loaded once
}

TEST(UIView, InsertSubviewAtAnIndexClampsAndMovesAnExistingSubview) {
    rt::Ref<UIView> parent = rt::make<UIView>();
    rt::Ref<UIView> a = rt::make<UIView>(), b = rt::make<UIView>(), c = rt::make<UIView>();
    parent->addSubview(a);
    parent->addSubview(b);
    parent->insertSubview(c, 0);
    EXPECT_EQ(parent->subviews(), (std::vector<rt::Ref<UIView>>{c, a, b}));
    parent->insertSubview(c, 99);
    EXPECT_EQ(parent->subviews(), (std::vector<rt::Ref<UIView>>{a, b, c}));
    parent->insertSubview(b, -5);
    EXPECT_EQ(parent->subviews(), (std::vector<rt::Ref<UIView>>{b, a, c}));
    EXPECT_EQ(b->superview(), parent);
}

TEST(UITextField, ShowsTheTextOrElseThePlaceholderInItsColour) {
    rt::Ref<UITextField> field = rt::make<UITextField>();
    field->setFrame(CGRectMake(0, 0, 200, 36));
    field->setPlaceholder(std::string("iMessage"));
    field->layoutIfNeeded();
    EXPECT_EQ(field->displayLabel()->text(), "iMessage");
    EXPECT_EQ(field->displayLabel()->textColor(), UIColor::placeholderTextColor());

    rt::Ref<NSObject> red = UIColor::systemRedColor();
    field->setAttributedPlaceholder(
        NSAttributedString::initWithString("Search", {{NSForegroundColorAttributeName, red}}));
    field->setNeedsLayout();
    field->layoutIfNeeded();
    EXPECT_EQ(field->displayLabel()->text(), "Search");
    EXPECT_EQ(field->displayLabel()->textColor().get(), red.get());

    field->setText("hello");
    field->setNeedsLayout();
    field->layoutIfNeeded();
    EXPECT_EQ(field->displayLabel()->text(), "hello");
    EXPECT_EQ(field->displayLabel()->textColor(), field->textColor());

    // A search bar hands its placeholder, nil included, to its field.
    rt::Ref<UISearchBar> bar = rt::make<UISearchBar>();
    bar->setFrame(CGRectMake(0, 0, 390, UISearchBar::kHeight));
    bar->layoutIfNeeded();
    EXPECT_EQ(bar->searchTextField()->placeholder(), std::nullopt);
    EXPECT_EQ(bar->searchTextField()->displayLabel()->text(), "");
    EXPECT_EQ(bar->searchTextField()->frame(), CGRectMake(16, 8, 358, 36));
}

} // namespace
