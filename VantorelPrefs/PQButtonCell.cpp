#include "PQButtonCell.h"

#include "CellParts.h"
#include "PQCellInitialiser.h"
#include "PQPrefs.h"
#include "RowProperties.h"

#include <UIKit/UIFont.h>

namespace {

constexpr NSInteger kRowHeight = 60;
constexpr CGFloat kSymbolSize = 16;
constexpr CGFloat kEdge = 10;       // leading and trailing gaps
constexpr CGFloat kLineOffset = 10; // each line's centre from the row's
constexpr CGFloat kTitleFontSize = 17;
constexpr CGFloat kSubtitleFontSize = 12;

// A line of text centred `offset` from the row's centre, between the leading
// edge and the symbol.
void placeLine(PQButtonCell* cell, UILabel* label, CGFloat offset) {
    cell->addSubview(label);
    label->setTranslatesAutoresizingMaskIntoConstraints(NO);
    label->centerYAnchor()->constraintEqualToAnchor(cell->centerYAnchor(), offset)->setActive(YES);
    label->leadingAnchor()->constraintEqualToAnchor(cell->leadingAnchor(), kEdge)->setActive(YES);
    label->trailingAnchor()
        ->constraintEqualToAnchor(cell->linkImage()->leadingAnchor(), -kEdge)
        ->setActive(YES);
}

} // namespace

RT_DEFINE_CLASS(PQButtonCell, nullptr)

PQ_CELL_INITIALISER(PQButtonCell)

BOOL PQButtonCell::buildContent(PSSpecifier* specifier) {
    if (specifier)
        specifier->setProperty(ns::PlistValue(static_cast<long long>(kRowHeight)), "height");
    setTintColour(PQPrefs::shared()->accentColour());

    rt::Ref<UIImageView> symbol = cellParts::symbol(this, rowProperties::text(specifier, "accessoriesSFIcon"),
                                                    UIColor::tertiaryLabelColor(), kSymbolSize);
    setLinkImage(symbol);
    symbol->trailingAnchor()->constraintEqualToAnchor(trailingAnchor(), -kEdge)->setActive(YES);

    rt::Ref<UILabel> title = rt::make<UILabel>();
    title->setTextColor(tintColour());
    title->setText(rowProperties::text(specifier, "title"));
    title->setFont(title->font()->fontWithSize(kTitleFontSize));
    setHeaderLabel(title);
    placeLine(this, title, -kLineOffset);

    rt::Ref<UILabel> subtitle = rt::make<UILabel>();
    subtitle->setTextColor(UIColor::secondaryLabelColor());
    subtitle->setText(rowProperties::text(specifier, "subtitle"));
    subtitle->setFont(subtitle->font()->fontWithSize(kSubtitleFontSize));
    setSubtitleLabel(subtitle);
    placeLine(this, subtitle, kLineOffset);
    return YES;
}
