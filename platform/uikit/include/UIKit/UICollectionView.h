#pragma once
#include <UIKit/UIView.h>
#include <UIKit/_UICollectionViewListSeparatorView.h>
#include <UIKit/_UIScrollViewScrollIndicator.h>

#include <functional>
#include <string>
#include <unordered_map>
#include <vector>

// A vertical list of items, as a list layout shows them: each item a cell of
// its own height stacked from the top, hairlines between the rows that ask
// for one, and the scroll indicator along the trailing edge. The background
// view stays behind every cell and covers the bounds, whatever size they take.
//
// Only the items that meet the bounds (plus a small margin) have a cell in
// the view: the source is asked for them as they come into view, and a cell
// that leaves is kept for reuse under its identifier. Items never laid out
// take their estimated height; a laid-out one takes its measured height.
#define UICOLLECTIONVIEW_PROPERTIES(P)                                                                       \
    P(CGFloat, contentInsetTop, setContentInsetTop, 0)                                                       \
    P(CGFloat, separatorLeadingInset, setSeparatorLeadingInset, 0)

// The background view takes its place behind the cells at once, replacing
// the one before.
#define UICOLLECTIONVIEW_METHODS(M, O, C)                                                                    \
    M(rt::Ref<UIView>, backgroundView, "backgroundView", ())                                                 \
    M(void, setBackgroundView, "setBackgroundView:", (UIView*))                                              \
    O(layoutSubviews)

class UIKIT_EXTERN UICollectionView : public UIView {
    RT_OBJECT_WITH_CONSTRUCTOR(UICollectionView, UIView)
    RT_PROPERTIES(UICOLLECTIONVIEW_PROPERTIES)
    RT_METHODS(UICOLLECTIONVIEW_METHODS)

  public:
    static constexpr CGFloat kIndicatorWidth = 3;
    static constexpr CGFloat kIndicatorInset = 3;
    // Beyond the bounds, the distance within which items still get a cell.
    static constexpr CGFloat kPrefetchMargin = 60;

    enum class Separator { none, below };
    struct Item {
        rt::Ref<UIView> cell;
        CGFloat height = 0;
        Separator separator = Separator::none;
    };
    // Fixed items, each with its cell made up front; the view holds them and
    // shows those in view.
    void setItems(std::vector<Item> items);

    // Items made on demand. `cell` configures a cell for an item, normally one
    // from dequeueReusableCell; `measure`, when given, answers a configured
    // cell's height for a width.
    struct DataSource {
        size_t count = 0;
        std::function<CGFloat(size_t index, CGFloat width)> estimatedHeight;
        std::function<rt::Ref<UIView>(UICollectionView* view, size_t index)> cell;
        std::function<CGFloat(UIView* cell, size_t index, CGFloat width)> measure;
        std::function<Separator(size_t index)> separator;
    };
    void setDataSource(DataSource source);

    // A cell left by an item that scrolled away, else a new one.
    template <class Cell> rt::Ref<Cell> dequeueReusableCell(const std::string& identifier) {
        rt::Ref<UIView> reused = takeReusableCell(identifier);
        rt::Ref<Cell> cell = reused ? rt::dynamicCast<Cell>(reused) : rt::Ref<Cell>();
        if (!cell) {
            cell = rt::make<Cell>();
            ++m_cellsMade;
        }
        m_identifiers[cell.get()] = identifier;
        return cell;
    }

    size_t numberOfItems() const { return m_heights.size(); }
    CGFloat itemHeight(size_t index) const { return index < m_heights.size() ? m_heights[index] : 0; }
    // Changes one item's height; lays out again only when it differs.
    void setItemHeight(size_t index, CGFloat height);
    // From the top of the first item to the bottom of the last.
    CGFloat contentHeight() const;

    // How far the content is scrolled up. Laying out clamps it between the
    // top and the last screenful, as a scroll view comes to rest.
    CGPoint contentOffset() const { return CGPointMake(0, m_offset); }
    void setContentOffset(CGPoint offset);
    // Keeps the end of the content in view, whatever the measured heights.
    void scrollToBottom();

    // The cells in the view, by item, in order.
    struct VisibleCell {
        size_t index;
        rt::Ref<UIView> cell;
    };
    const std::vector<VisibleCell>& visibleCells() const { return m_visible; }
    // Cells made by dequeueReusableCell since the view was made.
    size_t cellsMade() const { return m_cellsMade; }

    rt::Ref<_UIScrollViewScrollIndicator> scrollIndicator() const { return m_scrollIndicator; }

  private:
    void placeBackground();
    rt::Ref<UIView> takeReusableCell(const std::string& identifier);
    void recycle(const VisibleCell& visible);
    void removeAllCells();
    CGFloat maxOffset();
    // Asks for the cells of the items in view and measures them.
    void fillVisible(CGFloat width, CGFloat top, CGFloat bottom, std::vector<VisibleCell>& kept);

    DataSource m_source;
    std::vector<CGFloat> m_heights;
    std::vector<bool> m_measured;
    CGFloat m_measuredWidth = -1;
    CGFloat m_offset = 0;
    bool m_atBottom = false;
    std::vector<VisibleCell> m_visible;
    std::unordered_map<std::string, std::vector<rt::Ref<UIView>>> m_reusable;
    std::unordered_map<const UIView*, std::string> m_identifiers;
    size_t m_cellsMade = 0;
    std::vector<rt::Ref<_UICollectionViewListSeparatorView>> m_separators;
    rt::Ref<_UIScrollViewScrollIndicator> m_scrollIndicator;
    rt::Ref<UIView> m_backgroundView;
};
