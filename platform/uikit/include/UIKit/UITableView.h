#pragma once
#include <UIKit/UILabel.h>
#include <UIKit/UITableViewCell.h>

#include <string>
#include <vector>

enum UITableViewStyle : NSInteger {
    UITableViewStylePlain = 0,
    UITableViewStyleGrouped = 1,
    UITableViewStyleInsetGrouped = 2,
};

// Rows in sections, stacked from the top. Its owner hands over every
// section's header and footer text and cells in one call, the answers a data
// source would give; layoutSubviews places them as the style shows them. In
// the inset grouped style, on a 390-point screen, each section is a card 20
// points in from either side whose first and last rows have rounded corners.
// "initWithFrame:style:" answers the table.
#define UITABLEVIEW_METHODS(M, O, C)                                                                         \
    M(id, initWithFrame, "initWithFrame:style:", (CGRect, UITableViewStyle))                                 \
    O(layoutSubviews)

class UIKIT_EXTERN UITableView : public UIView {
    RT_OBJECT(UITableView, UIView)
    RT_METHODS(UITABLEVIEW_METHODS)

    static constexpr CGFloat kRowHeight = 44;
    static constexpr CGFloat kInset = 20;          // the inset grouped card's side margins
    static constexpr CGFloat kCornerRadius = 10;   // of the card's first and last rows
    static constexpr CGFloat kSectionSpacing = 35; // above a section without a title
    static constexpr CGFloat kHeaderFontSize = 13; // section titles and footers
    static constexpr CGFloat kTextMargin = 16;     // titles and footers in from the card's edges

    using UIView::initWithFrame;
    UITableViewStyle style() const { return m_style; }

    struct Section {
        std::string header; // shown in capitals; empty: no title
        std::string footer; // empty: none
        std::vector<rt::Ref<UITableViewCell>> cells;
        // Each row's height, in the order of `cells`; a missing or non-positive
        // entry is kRowHeight.
        std::vector<CGFloat> rowHeights = {};
        // A view of the owner's shown above the section in place of its
        // title: as wide as the table, as tall as its frame when handed over.
        rt::Ref<UIView> headerView = {};
    };
    // Replaces the sections: the table holds their cells, titles and footers, in order.
    void setSections(std::vector<Section> sections);
    const std::vector<Section>& sections() const { return m_sections; }
    // The height of everything laid out, from the top of the first section.
    CGFloat contentHeight() const { return m_contentHeight; }

  private:
    void layoutSections();

    struct SectionViews {
        rt::Ref<UIView> header; // the title label, or the owner's header view
        rt::Ref<UILabel> footer;
    };
    UITableViewStyle m_style = UITableViewStylePlain;
    std::vector<Section> m_sections;
    std::vector<SectionViews> m_sectionViews;
    CGFloat m_contentHeight = 0;
};
