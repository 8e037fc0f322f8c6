#include "PQButtonCell.h"

#include "PQCellInitialiser.h"
#include "PQPrefs.h"
#include "RowProperties.h"

#include <UIKit/UIFont.h>

namespace {

// A line of text centred `offset` from the row's centre, between the leading
// edge and the symbol.
void placeLine(PQButtonCell* cell, UILabel* label, CGFloat offset) {
    cell->addSubview(label);
    label->setTranslatesAutoresizingMaskIntoConstraints(NO);
    label->centerYAnchor()->constraintEqualToAnchor(cell->centerYAnchor(), offset)->setActive(YES);
    label->leadingAnchor()
        ->constraintEqualToAnchor(cell->leadingAnchor(), PQButtonCell::kEdge)
        ->setActive(YES);
    label->trailingAnchor()
        ->constraintEqualToAnchor(cell->linkImage()->leadingAnchor(), -PQButtonCell::kEdge)
        ->setActive(YES);
}

} // namespace

RT_DEFINE_CLASS(PQButtonCell, nullptr)

PQ_CELL_INITIALISER(PQButtonCell)

BOOL PQButtonCell::buildContent(PSSpecifier* specifier) {
    if (specifier)
        specifier->setProperty(ns::PlistValue(static_cast<long long>(PQButtonCell::kRowHeight)), "height");
    setTintColour(PQPrefs::shared()->accentColour());

    rt::Ref<UIImageView> symbol = rt::make<UIImageView>();
    symbol->setImage(UIImage::systemImageNamed(rowProperties::text(specifier, "accessoriesSFIcon")));
    symbol->setContentMode(UIViewContentModeScaleAspectFit);
    symbol->setTintColor(UIColor::tertiaryLabelColor());
    setLinkImage(symbol);
    addSubview(symbol);
    symbol->setTranslatesAutoresizingMaskIntoConstraints(NO);
    symbol->widthAnchor()->constraintEqualToConstant(PQButtonCell::kSymbolSize)->setActive(YES);
    symbol->heightAnchor()->constraintEqualToConstant(PQButtonCell::kSymbolSize)->setActive(YES);
    symbol->centerYAnchor()->constraintEqualToAnchor(centerYAnchor())->setActive(YES);
    symbol->trailingAnchor()->constraintEqualToAnchor(trailingAnchor(), -PQButtonCell::kEdge)->setActive(YES);

    rt::Ref<UILabel> title = rt::make<UILabel>();
    title->setTextColor(tintColour());
    title->setText(rowProperties::text(specifier, "title"));
    title->setFont(title->font()->fontWithSize(PQButtonCell::kTitleFontSize));
    setHeaderLabel(title);
    placeLine(this, title, -PQButtonCell::kLineOffset);

    rt::Ref<UILabel> subtitle = rt::make<UILabel>();
    subtitle->setTextColor(UIColor::secondaryLabelColor());
    subtitle->setText(rowProperties::text(specifier, "subtitle"));
    subtitle->setFont(subtitle->font()->fontWithSize(PQButtonCell::kSubtitleFontSize));
    setSubtitleLabel(subtitle);
    placeLine(this, subtitle, PQButtonCell::kLineOffset);
    return YES;
}
