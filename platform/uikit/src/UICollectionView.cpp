#include <UIKit/UICollectionView.h>

#include "LayoutEngine.h"

#include <objc/message.h>

#include <algorithm>
#include <cmath>

RT_DEFINE_CLASS(UICollectionView, nullptr)

UICollectionView::UICollectionView(Class cls)
    : UIView(cls), m_scrollIndicator(rt::make<_UIScrollViewScrollIndicator>()) {
    setClipsToBounds(YES);
    // The platform's indicator: a dark, rounded bar, as just after a scroll.
    m_scrollIndicator->setBackgroundColor(UIColor::colorWithWhite(0, 0.35));
    m_scrollIndicator->layer()->setCornerRadius(kIndicatorWidth / 2);
    addSubview(m_scrollIndicator);
}

void UICollectionView::setItems(std::vector<Item> items) {
    auto shared = std::make_shared<std::vector<Item>>(std::move(items));
    DataSource source;
    source.count = shared->size();
    source.estimatedHeight = [shared](size_t index, CGFloat) { return (*shared)[index].height; };
    source.cell = [shared](UICollectionView*, size_t index) { return (*shared)[index].cell; };
    source.separator = [shared](size_t index) { return (*shared)[index].separator; };
    setDataSource(std::move(source));
}

void UICollectionView::setDataSource(DataSource source) {
    removeAllCells();
    m_source = std::move(source);
    const CGFloat width = bounds().size.width;
    m_heights.assign(m_source.count, 0);
    m_measured.assign(m_source.count, false);
    for (size_t i = 0; i < m_source.count; ++i)
        m_heights[i] =
            m_source.estimatedHeight ? std::max<CGFloat>(0, m_source.estimatedHeight(i, width)) : 0;
    m_measuredWidth = width;
    setNeedsLayout();
}

void UICollectionView::setItemHeight(size_t index, CGFloat height) {
    if (index >= m_heights.size() || m_heights[index] == height)
        return;
    m_heights[index] = height;
    m_measured[index] = true;
    setNeedsLayout();
}

CGFloat UICollectionView::contentHeight() const {
    CGFloat height = 0;
    for (CGFloat item : m_heights)
        height += item;
    return height;
}

void UICollectionView::setContentOffset(CGPoint offset) {
    m_offset = std::isfinite(offset.y) ? offset.y : 0;
    m_atBottom = false;
    setNeedsLayout();
}

void UICollectionView::scrollToBottom() {
    m_atBottom = true;
    setNeedsLayout();
}

rt::Ref<UIView> UICollectionView::backgroundViewImpl() {
    return m_backgroundView;
}

void UICollectionView::setBackgroundViewImpl(UIView* view) {
    if (m_backgroundView && m_backgroundView->superview().get() == this)
        m_backgroundView->removeFromSuperview();
    m_backgroundView = view;
    placeBackground();
    setNeedsLayout();
}

void UICollectionView::placeBackground() {
    const rt::Ref<UIView> background = m_backgroundView;
    if (!background)
        return;
    if (subviews().empty() || subviews().front() != background)
        insertSubview(background, 0);
    background->setFrame(bounds());
}

rt::Ref<UIView> UICollectionView::takeReusableCell(const std::string& identifier) {
    auto found = m_reusable.find(identifier);
    if (found == m_reusable.end() || found->second.empty())
        return nullptr;
    rt::Ref<UIView> cell = std::move(found->second.back());
    found->second.pop_back();
    return cell;
}

void UICollectionView::recycle(const VisibleCell& visible) {
    if (visible.cell->superview().get() == this)
        visible.cell->removeFromSuperview();
    auto identifier = m_identifiers.find(visible.cell.get());
    if (identifier != m_identifiers.end())
        m_reusable[identifier->second].push_back(visible.cell);
}

void UICollectionView::removeAllCells() {
    for (const VisibleCell& visible : m_visible)
        recycle(visible);
    m_visible.clear();
}

CGFloat UICollectionView::maxOffset() {
    return std::max<CGFloat>(0, contentInsetTop() + contentHeight() - bounds().size.height);
}

void UICollectionView::fillVisible(CGFloat width, CGFloat top, CGFloat bottom,
                                   std::vector<VisibleCell>& kept) {
    CGFloat y = contentInsetTop();
    size_t index = 0;
    while (index < m_heights.size() && y + m_heights[index] < top)
        y += m_heights[index++];
    for (; index < m_heights.size() && y <= bottom; ++index) {
        auto existing = std::ranges::find(m_visible, index, &VisibleCell::index);
        rt::Ref<UIView> cell;
        if (existing != m_visible.end()) {
            cell = existing->cell;
            m_visible.erase(existing);
        } else if (m_source.cell) {
            cell = m_source.cell(this, index);
        }
        if (!cell) {
            y += m_heights[index];
            continue;
        }
        if (!m_measured[index] && m_source.measure) {
            m_heights[index] = std::max<CGFloat>(0, m_source.measure(cell, index, width));
            m_measured[index] = true;
        }
        kept.push_back({index, cell});
        y += m_heights[index];
    }
}

void UICollectionView::layoutSubviewsImpl() {
    placeBackground();
    const CGRect bounds = this->bounds();
    const CGFloat width = bounds.size.width;
    if (width != m_measuredWidth) {
        // Heights measured at another width no longer hold.
        for (size_t i = 0; i < m_heights.size(); ++i)
            if (m_source.measure && m_source.estimatedHeight) {
                m_heights[i] = std::max<CGFloat>(0, m_source.estimatedHeight(i, width));
                m_measured[i] = false;
            }
        m_measuredWidth = width;
    }
    // Measuring the cells at the end may move the end: settle it in a few rounds.
    for (int round = 0; round < 4; ++round) {
        const CGFloat before = contentHeight();
        if (m_atBottom)
            m_offset = maxOffset();
        m_offset = std::clamp<CGFloat>(m_offset, 0, maxOffset());
        std::vector<VisibleCell> kept;
        fillVisible(width, m_offset - kPrefetchMargin, m_offset + bounds.size.height + kPrefetchMargin, kept);
        for (const VisibleCell& gone : m_visible)
            recycle(gone);
        m_visible = std::move(kept);
        if (!m_atBottom || contentHeight() == before)
            break;
    }
    m_offset = std::clamp<CGFloat>(m_offset, 0, maxOffset());

    // Cells keep the items' order among the subviews, behind the hairlines.
    NSInteger cellsAt = m_backgroundView && m_backgroundView->superview().get() == this ? 1 : 0;
    const CGFloat hairline = 1.0 / 3.0;
    const CGFloat leading = separatorLeadingInset();
    size_t separatorCount = 0;
    CGFloat y = contentInsetTop();
    size_t next = 0;
    for (const VisibleCell& visible : m_visible) {
        while (next < visible.index)
            y += m_heights[next++];
        const CGFloat height = m_heights[visible.index];
        if (visible.cell->superview().get() != this)
            insertSubview(visible.cell, cellsAt);
        const std::vector<rt::Ref<UIView>>& placed = subviews();
        cellsAt = std::ranges::find(placed, visible.cell) - placed.begin() + 1;
        visible.cell->setFrame(CGRectMake(0, y - m_offset, width, height));
        const bool below = m_source.separator && m_source.separator(visible.index) == Separator::below;
        if (below) {
            if (separatorCount == m_separators.size()) {
                m_separators.push_back(rt::make<_UICollectionViewListSeparatorView>());
                m_separators.back()->setBackgroundColor(UIColor::separatorColor());
            }
            const rt::Ref<_UICollectionViewListSeparatorView>& separator = m_separators[separatorCount++];
            if (separator->superview().get() != this)
                addSubview(separator);
            separator->setFrame(CGRectMake(leading, y + height - m_offset - hairline,
                                           std::max<CGFloat>(0, width - leading), hairline));
        }
    }
    while (m_separators.size() > separatorCount) {
        m_separators.back()->removeFromSuperview();
        m_separators.pop_back();
    }
    if (subviews().back() != m_scrollIndicator)
        addSubview(m_scrollIndicator); // above the cells

    // The indicator's length shows how much of the content is in view, its
    // place how far it is scrolled.
    const CGFloat content = std::max<CGFloat>(contentInsetTop() + contentHeight(), 1);
    const CGFloat visible = std::min<CGFloat>(1, bounds.size.height / content);
    const CGFloat track = std::max<CGFloat>(0, bounds.size.height - 2 * kIndicatorInset);
    const CGFloat length = std::min(track, std::max<CGFloat>(36, track * visible));
    const CGFloat travel = maxOffset() > 0 ? (track - length) * m_offset / maxOffset() : 0;
    m_scrollIndicator->setFrame(CGRectMake(width - kIndicatorInset - kIndicatorWidth,
                                           kIndicatorInset + travel, kIndicatorWidth, length));
    m_scrollIndicator->setHidden(visible >= 1 ? YES : NO);
    // Cells joining the view asked this view for layout: this pass is it.
    UIViewLayoutAccess::state(this).needsLayout = false;
}
