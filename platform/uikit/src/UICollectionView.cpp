#include <UIKit/UICollectionView.h>

#include <objc/message.h>

#include <algorithm>

RT_DEFINE_CLASS(UICollectionView, [](Class cls, Class) {
    class_addMethod(
        cls, rt::sel<"backgroundView">(),
        +[](id self, SEL) { return static_cast<UICollectionView*>(self)->m_backgroundView; });
    class_addMethod(
        cls, rt::sel<"setBackgroundView:">(), +[](id self, SEL, UIView* view) {
            auto* list = static_cast<UICollectionView*>(self);
            if (list->m_backgroundView && list->m_backgroundView->superview().get() == list)
                list->m_backgroundView->removeFromSuperview();
            list->m_backgroundView = view;
            list->placeBackground();
            list->setNeedsLayout();
        });
    class_addMethod(
        cls, rt::sel<"layoutSubviews">(),
        +[](id self, SEL) { static_cast<UICollectionView*>(self)->placeItems(); });
})

UICollectionView::UICollectionView(Class cls)
    : UIView(cls), m_scrollIndicator(rt::make<_UIScrollViewScrollIndicator>()) {
    setClipsToBounds(YES);
    // The platform's indicator: a dark, rounded bar, as just after a scroll.
    m_scrollIndicator->setBackgroundColor(UIColor::colorWithWhite(0, 0.35));
    m_scrollIndicator->layer()->setCornerRadius(kIndicatorWidth / 2);
    addSubview(m_scrollIndicator);
}

void UICollectionView::setItems(std::vector<Item> items) {
    for (const Item& item : m_items)
        if (item.cell)
            item.cell->removeFromSuperview();
    for (const auto& separator : m_separators)
        separator->removeFromSuperview();
    m_separators.clear();
    m_items = std::move(items);
    for (const Item& item : m_items) {
        if (!item.cell)
            continue;
        addSubview(item.cell);
        if (item.separator == Separator::below) {
            rt::Ref<_UICollectionViewListSeparatorView> separator =
                rt::make<_UICollectionViewListSeparatorView>();
            separator->setBackgroundColor(UIColor::separatorColor());
            addSubview(separator);
            m_separators.push_back(separator);
        }
    }
    addSubview(m_scrollIndicator); // above the cells
    setNeedsLayout();
}

void UICollectionView::setItemHeight(size_t index, CGFloat height) {
    if (index >= m_items.size() || m_items[index].height == height)
        return;
    m_items[index].height = height;
    setNeedsLayout();
}

CGFloat UICollectionView::contentHeight() const {
    CGFloat height = 0;
    for (const Item& item : m_items)
        height += item.height;
    return height;
}

rt::Ref<UIView> UICollectionView::backgroundView() {
    return rt::send<rt::Ref<UIView>()>(this, rt::sel<"backgroundView">());
}

void UICollectionView::setBackgroundView(UIView* view) {
    rt::send<void(UIView*)>(this, rt::sel<"setBackgroundView:">(), view);
}

void UICollectionView::placeBackground() {
    const rt::Ref<UIView> background = m_backgroundView;
    if (!background)
        return;
    if (subviews().empty() || subviews().front() != background)
        insertSubview(background, 0);
    background->setFrame(bounds());
}

void UICollectionView::placeItems() {
    placeBackground();
    const CGRect bounds = this->bounds();
    const CGFloat width = bounds.size.width;
    const CGFloat hairline = 1.0 / 3.0;
    CGFloat y = contentInsetTop();
    size_t separatorIndex = 0;
    for (const Item& item : m_items) {
        if (item.cell)
            item.cell->setFrame(CGRectMake(0, y, width, item.height));
        y += item.height;
        if (item.cell && item.separator == Separator::below && separatorIndex < m_separators.size()) {
            const CGFloat leading = separatorLeadingInset();
            m_separators[separatorIndex++]->setFrame(
                CGRectMake(leading, y - hairline, std::max<CGFloat>(0, width - leading), hairline));
        }
    }
    // The indicator's length shows how much of the content is in view.
    const CGFloat content = std::max<CGFloat>(y, 1);
    const CGFloat visible = std::min<CGFloat>(1, bounds.size.height / content);
    const CGFloat track = std::max<CGFloat>(0, bounds.size.height - 2 * kIndicatorInset);
    m_scrollIndicator->setFrame(CGRectMake(width - kIndicatorInset - kIndicatorWidth, kIndicatorInset,
                                           kIndicatorWidth, std::max<CGFloat>(36, track * visible)));
    m_scrollIndicator->setHidden(visible >= 1 ? YES : NO);
}
