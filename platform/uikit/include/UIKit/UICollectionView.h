#pragma once
#include <UIKit/UIView.h>
#include <UIKit/_UICollectionViewListSeparatorView.h>
#include <UIKit/_UIScrollViewScrollIndicator.h>

#include <vector>

// A vertical list of items, as a list layout shows them: each item a cell of
// its own height stacked from the top, hairlines between the rows that ask
// for one, and the scroll indicator along the trailing edge. The background
// view stays behind every cell and covers the bounds, whatever size they take.
#define UICOLLECTIONVIEW_PROPERTIES(P)                                                                       \
    P(CGFloat, contentInsetTop, setContentInsetTop, 0)                                                       \
    P(CGFloat, separatorLeadingInset, setSeparatorLeadingInset, 0)

class UIKIT_EXTERN UICollectionView : public UIView {
    RT_OBJECT_WITH_CONSTRUCTOR(UICollectionView, UIView)
    RT_PROPERTIES(UICOLLECTIONVIEW_PROPERTIES)

    static constexpr CGFloat kIndicatorWidth = 3;
    static constexpr CGFloat kIndicatorInset = 3;

    // Runtime methods "backgroundView" and "setBackgroundView:": the view
    // takes its place behind the cells at once, replacing the one before.
    rt::Ref<UIView> backgroundView();
    void setBackgroundView(UIView* view);

    enum class Separator { none, below };
    struct Item {
        rt::Ref<UIView> cell;
        CGFloat height = 0;
        Separator separator = Separator::none;
    };
    // Replaces the items: the view holds their cells, in order.
    void setItems(std::vector<Item> items);
    const std::vector<Item>& items() const { return m_items; }
    // Changes one item's height; lays out again only when it differs.
    void setItemHeight(size_t index, CGFloat height);
    // From the top of the first item to the bottom of the last.
    CGFloat contentHeight() const;
    rt::Ref<_UIScrollViewScrollIndicator> scrollIndicator() const { return m_scrollIndicator; }

  private:
    // Runtime "layoutSubviews".
    void placeItems();
    void placeBackground();

    std::vector<Item> m_items;
    std::vector<rt::Ref<_UICollectionViewListSeparatorView>> m_separators;
    rt::Ref<_UIScrollViewScrollIndicator> m_scrollIndicator;
    rt::Ref<UIView> m_backgroundView;
};
