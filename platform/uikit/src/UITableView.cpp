#include <UIKit/UITableView.h>

#include <UIKit/TextMeasurement.h>
#include <UIKit/UIFont.h>
#include <objc/message.h>

#include <algorithm>
#include <cctype>
#include <cmath>

namespace {

std::string capitals(std::string text) {
    std::ranges::transform(text, text.begin(),
                           [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return text;
}

// Headers and footers are drawn at the size they are measured at; a footer
// takes as many lines as it needs.
rt::Ref<UILabel> sectionLabel(const std::string& text) {
    if (text.empty())
        return nullptr;
    rt::Ref<UILabel> label = rt::make<UILabel>();
    label->setText(text);
    label->setFont(UIFont::systemFontOfSize(UITableView::kHeaderFontSize));
    label->setNumberOfLines(0);
    label->setTextColor(UIColor::secondaryLabelColor());
    return label;
}

// Footers wrap: as many lines as the measured line needs at the width given.
CGSize wrappedSize(const std::string& text, CGFloat width) {
    const CGSize line = uikit::measureTextLine(text, UITableView::kHeaderFontSize);
    const CGFloat lines = width > 0 ? std::max<CGFloat>(1, std::ceil(line.width / width)) : 1;
    return CGSize{std::min(line.width, width), line.height * lines};
}

} // namespace

RT_DEFINE_CLASS(UITableView, nullptr)

id UITableView::initWithFrameImpl(CGRect frame, UITableViewStyle style) {
    UIView::initWithFrame(frame);
    m_style = style;
    if (style != UITableViewStylePlain)
        setBackgroundColor(UIColor::systemGroupedBackgroundColor());
    return this;
}

void UITableView::layoutSubviewsImpl() {
    layoutSubviewsSuper();
    layoutSections();
}

void UITableView::setSections(std::vector<Section> sections) {
    for (const SectionViews& views : m_sectionViews) {
        if (views.header)
            views.header->removeFromSuperview();
        if (views.footer)
            views.footer->removeFromSuperview();
    }
    m_sectionViews.clear();
    m_sections = std::move(sections);
    for (Section& section : m_sections) {
        SectionViews views{section.headerView ? section.headerView
                                              : rt::Ref<UIView>(sectionLabel(capitals(section.header))),
                           sectionLabel(section.footer)};
        if (views.header)
            addSubview(views.header);
        for (const rt::Ref<UITableViewCell>& cell : section.cells) {
            if (m_style != UITableViewStylePlain && !cell->backgroundColor())
                cell->setBackgroundColor(UIColor::secondarySystemGroupedBackgroundColor());
            addSubview(cell);
        }
        if (views.footer)
            addSubview(views.footer);
        m_sectionViews.push_back(std::move(views));
    }
    setNeedsLayout();
}

void UITableView::layoutSections() {
    const CGFloat width = bounds().size.width;
    const bool grouped = m_style != UITableViewStylePlain;
    const CGFloat inset = m_style == UITableViewStyleInsetGrouped ? kInset : 0;
    const CGFloat textX = inset + kTextMargin;
    const CGFloat textWidth = std::max<CGFloat>(0, width - 2 * textX);
    CGFloat y = 0;
    for (std::size_t s = 0; s < m_sections.size(); ++s) {
        const Section& section = m_sections[s];
        const SectionViews& views = m_sectionViews[s];
        if (section.headerView) {
            const CGFloat height = section.headerView->frame().size.height;
            section.headerView->setFrame(CGRectMake(0, y, width, height));
            y += height;
        } else if (auto title = rt::dynamicCast<UILabel>(views.header)) {
            // A title sits just above its card, the section spacing above it.
            const CGSize size = wrappedSize(title->text(), textWidth);
            y += grouped ? 17 : 0;
            views.header->setFrame(
                CGRectMake(textX, y, textWidth, size.height)); // as wide as the card's text
            y += size.height + (grouped ? 7 : 0);
        } else if (grouped) {
            y += kSectionSpacing;
        }
        for (std::size_t r = 0; r < section.cells.size(); ++r) {
            UITableViewCell* cell = section.cells[r];
            const CGFloat height = r < section.rowHeights.size() && section.rowHeights[r] > 0
                                       ? section.rowHeights[r]
                                       : kRowHeight;
            cell->setFrame(CGRectMake(inset, y, width - 2 * inset, height));
            // A card rounds its top corners on its first row and its bottom
            // corners on its last (all four on a row alone).
            const bool first = r == 0, last = r + 1 == section.cells.size();
            const bool rounded = m_style == UITableViewStyleInsetGrouped && (first || last);
            cell->layer()->setCornerRadius(rounded ? kCornerRadius : 0);
            cell->layer()->setMaskedCorners(
                static_cast<CACornerMask>((first ? kCALayerMinXMinYCorner | kCALayerMaxXMinYCorner : 0) |
                                          (last ? kCALayerMinXMaxYCorner | kCALayerMaxXMaxYCorner : 0)));
            cell->layer()->setMasksToBounds(rounded ? YES : NO);
            y += height;
        }
        if (views.footer) {
            const CGSize size = wrappedSize(views.footer->text(), textWidth);
            y += 7;
            views.footer->setFrame(CGRectMake(textX, y, textWidth, size.height));
            y += size.height;
        }
    }
    m_contentHeight = y;
}
