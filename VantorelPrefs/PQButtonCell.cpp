#include "PQButtonCell.h"

#include "PQPrefs.h"
#include "RowProperties.h"

#include <UIKit/UIFont.h>

namespace {

PQButtonCell* cellOf(id self) {
    return static_cast<PQButtonCell*>(self);
}

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

id initWithStyle(id self, SEL cmd, UITableViewCellStyle style, const std::string& reuseIdentifier,
                 PSSpecifier* specifier) {
    id made = rt::sendSuper<id(UITableViewCellStyle, const std::string&, PSSpecifier*)>(
        self, PQButtonCell::classObject(), cmd, style, reuseIdentifier, specifier);
    if (!made)
        return nullptr;
    PQButtonCell* cell = cellOf(made);
    if (specifier)
        specifier->setProperty(ns::PlistValue(static_cast<long long>(PQButtonCell::kRowHeight)), "height");
    cell->setTintColour(PQPrefs::shared()->accentColour());

    rt::Ref<UIImageView> symbol = rt::make<UIImageView>();
    symbol->setImage(UIImage::systemImageNamed(rowProperties::text(specifier, "accessoriesSFIcon")));
    symbol->setContentMode(UIViewContentModeScaleAspectFit);
    symbol->setTintColor(UIColor::tertiaryLabelColor());
    cell->setLinkImage(symbol);
    cell->addSubview(symbol);
    symbol->setTranslatesAutoresizingMaskIntoConstraints(NO);
    symbol->widthAnchor()->constraintEqualToConstant(PQButtonCell::kSymbolSize)->setActive(YES);
    symbol->heightAnchor()->constraintEqualToConstant(PQButtonCell::kSymbolSize)->setActive(YES);
    symbol->centerYAnchor()->constraintEqualToAnchor(cell->centerYAnchor())->setActive(YES);
    symbol->trailingAnchor()
        ->constraintEqualToAnchor(cell->trailingAnchor(), -PQButtonCell::kEdge)
        ->setActive(YES);

    rt::Ref<UILabel> title = rt::make<UILabel>();
    title->setTextColor(cell->tintColour());
    title->setText(rowProperties::text(specifier, "title"));
    title->setFont(title->font()->fontWithSize(PQButtonCell::kTitleFontSize));
    cell->setHeaderLabel(title);
    placeLine(cell, title, -PQButtonCell::kLineOffset);

    rt::Ref<UILabel> subtitle = rt::make<UILabel>();
    subtitle->setTextColor(UIColor::secondaryLabelColor());
    subtitle->setText(rowProperties::text(specifier, "subtitle"));
    subtitle->setFont(subtitle->font()->fontWithSize(PQButtonCell::kSubtitleFontSize));
    cell->setSubtitleLabel(subtitle);
    placeLine(cell, subtitle, PQButtonCell::kLineOffset);
    return made;
}

} // namespace

RT_DEFINE_CLASS(PQButtonCell, [](Class cls, Class) {
    class_addMethod(cls, rt::sel<"initWithStyle:reuseIdentifier:specifier:">(), &::initWithStyle);
})
