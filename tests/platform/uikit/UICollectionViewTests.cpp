#include <UIKit/UICollectionViewController.h>
#include <UIKit/UISearchBar.h>
#include <UIKit/UIWindow.h>

#include <gtest/gtest.h>

#include <unordered_map>

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

namespace {

// A thousand rows of 50 points whose cells remember the item they show.
struct LongList {
    explicit LongList(size_t count = 1000, CGFloat estimate = 50, CGFloat measured = 50) {
        screen.list->setContentInsetTop(0);
        UICollectionView::DataSource source;
        source.count = count;
        source.estimatedHeight = [estimate](size_t, CGFloat) { return estimate; };
        source.measure = [measured](UIView*, size_t, CGFloat) { return measured; };
        source.cell = [this](UICollectionView* view, size_t index) -> rt::Ref<UIView> {
            rt::Ref<UIView> cell = view->dequeueReusableCell<UIView>("row");
            shows[cell.get()] = index;
            ++asked;
            return cell;
        };
        screen.list->setDataSource(std::move(source));
        screen.window->layoutIfNeeded();
    }
    void scrollTo(CGFloat y) {
        screen.list->setContentOffset(CGPointMake(0, y));
        screen.window->layoutIfNeeded();
    }
    // The item each cell in the view shows, and where, top to bottom.
    std::vector<std::pair<size_t, CGFloat>> inView() {
        std::vector<std::pair<size_t, CGFloat>> found;
        for (const auto& view : screen.list->subviews())
            if (shows.contains(view.get()))
                found.emplace_back(shows[view.get()], view->frame().origin.y);
        return found;
    }
    ListInWindow screen; // 300 points tall
    std::unordered_map<const UIView*, size_t> shows;
    size_t asked = 0;
};

TEST(UICollectionView, OnlyItemsInViewGetACellAndCellsAreReusedAsItScrolls) {
    LongList list;
    // 300 points of view and 60 of margin below: items 0 to 7.
    std::vector<std::pair<size_t, CGFloat>> first = list.inView();
    ASSERT_EQ(first.size(), 8u);
    for (size_t i = 0; i < first.size(); ++i)
        EXPECT_EQ(first[i], std::make_pair(i, 50 * static_cast<CGFloat>(i)));
    EXPECT_EQ(list.asked, 8u);

    for (CGFloat y = 0; y <= 50000; y += 37)
        list.scrollTo(y);
    // About two screens of cells for a thousand items.
    EXPECT_LE(list.screen.list->cellsMade(), 12u);
    EXPECT_GE(list.asked, 1000u);
    EXPECT_EQ(list.screen.list->visibleCells().size(), list.inView().size());
    // Hairlines and cells that left are gone from the view.
    EXPECT_LE(list.screen.list->subviews().size(), 9u + 1u);
}

TEST(UICollectionView, AnOffsetShowsItsItemsAndStopsAtEitherEnd) {
    LongList list;
    list.scrollTo(25000); // the middle
    ASSERT_FALSE(list.inView().empty());
    // Items 498 and 499 meet the margin above; 500 is at the top.
    EXPECT_EQ(list.inView()[0], std::make_pair(size_t{498}, CGFloat{-100}));
    EXPECT_EQ(list.inView()[2], std::make_pair(size_t{500}, CGFloat{0}));

    list.scrollTo(50000 - 300); // the end: the last item's bottom at the view's bottom
    EXPECT_EQ(list.inView().back(), std::make_pair(size_t{999}, CGFloat{250}));
    list.scrollTo(1e9); // past the end comes to rest at the end
    EXPECT_EQ(list.screen.list->contentOffset().y, 49700);
    EXPECT_EQ(list.inView().back(), std::make_pair(size_t{999}, CGFloat{250}));
    list.scrollTo(-80); // above the top comes back to it
    EXPECT_EQ(list.screen.list->contentOffset().y, 0);
    EXPECT_EQ(list.inView().front(), std::make_pair(size_t{0}, CGFloat{0}));

    // The indicator travels with the offset.
    list.scrollTo(49700);
    const CGRect indicator = list.screen.list->scrollIndicator()->frame();
    EXPECT_NEAR(indicator.origin.y + indicator.size.height, 300 - UICollectionView::kIndicatorInset, 1e-9);
}

TEST(UICollectionView, EstimatesGiveWayToMeasuredHeightsAndTheBottomStaysInView) {
    LongList list(1000, 40, 64);
    // Laid out items take their measured height; the rest keep the estimate.
    EXPECT_EQ(list.screen.list->itemHeight(0), 64);
    EXPECT_EQ(list.screen.list->itemHeight(900), 40);
    std::vector<std::pair<size_t, CGFloat>> first = list.inView();
    EXPECT_EQ(first[1].second, 64);

    list.screen.list->scrollToBottom();
    list.screen.window->layoutIfNeeded();
    EXPECT_EQ(list.inView().back().first, 999u);
    EXPECT_EQ(list.inView().back().second + 64, 300); // exactly at the bottom, measured
    EXPECT_EQ(list.screen.list->contentOffset().y, list.screen.list->contentHeight() - 300);

    // A new width measures again.
    list.screen.list->setFrame(CGRectMake(0, 100, 200, 300));
    list.screen.window->layoutIfNeeded();
    EXPECT_EQ(list.inView().back().second + 64, 300);
    EXPECT_EQ(list.screen.list->itemHeight(0), 40); // out of view: back to its estimate
}

} // namespace
