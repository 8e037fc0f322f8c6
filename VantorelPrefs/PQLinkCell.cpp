#include "PQLinkCell.h"

#include "PQPrefs.h"
#include "RowProperties.h"

#include <UIKit/UIFont.h>

namespace {

PQLinkCell* cellOf(id self) {
    return static_cast<PQLinkCell*>(self);
}

id initWithStyle(id self, SEL cmd, UITableViewCellStyle style, const std::string& reuseIdentifier,
                 PSSpecifier* specifier) {
    id made = rt::sendSuper<id(UITableViewCellStyle, const std::string&, PSSpecifier*)>(
        self, PQLinkCell::classObject(), cmd, style, reuseIdentifier, specifier);
    if (!made)
        return nullptr;
    PQLinkCell* cell = cellOf(made);

    // An unknown symbol leaves the icon's space empty.
    rt::Ref<UIImageView> icon = rt::make<UIImageView>();
    icon->setImage(UIImage::systemImageNamed(rowProperties::text(specifier, "sfIcon")));
    icon->setContentMode(UIViewContentModeScaleAspectFit);
    icon->setTintColor(PQPrefs::shared()->accentColour());
    cell->setIconImage(icon);
    cell->addSubview(icon);
    icon->setTranslatesAutoresizingMaskIntoConstraints(NO);
    icon->widthAnchor()->constraintEqualToConstant(PQLinkCell::kIconSize)->setActive(YES);
    icon->heightAnchor()->constraintEqualToConstant(PQLinkCell::kIconSize)->setActive(YES);
    icon->centerYAnchor()->constraintEqualToAnchor(cell->centerYAnchor())->setActive(YES);
    icon->leadingAnchor()
        ->constraintEqualToAnchor(cell->leadingAnchor(), PQLinkCell::kIconLeading)
        ->setActive(YES);

    rt::Ref<UILabel> label = rt::make<UILabel>();
    label->setTextColor(UIColor::labelColor());
    label->setText(rowProperties::text(specifier, "title"));
    label->setFont(UIFont::systemFontOfSize(17, UIFontWeightRegular));
    cell->setHeaderLabel(label);
    cell->addSubview(label);
    label->setTranslatesAutoresizingMaskIntoConstraints(NO);
    label->centerYAnchor()->constraintEqualToAnchor(cell->centerYAnchor(), 0)->setActive(YES);
    label->leadingAnchor()
        ->constraintEqualToAnchor(icon->trailingAnchor(), PQLinkCell::kTitleAfterIcon)
        ->setActive(YES);
    return made;
}

} // namespace

RT_DEFINE_CLASS(PQLinkCell, [](Class cls, Class) {
    class_addMethod(cls, rt::sel<"initWithStyle:reuseIdentifier:specifier:">(), &::initWithStyle);
    // The six-digit parse the link rows carry; their own creation does not use it.
    class_addMethod(
        cls, rt::sel<"colorWithHexString:">(),
        +[](id, SEL, const std::string& text) { return HexColorCodec::colorWithSixDigitHexString(text); });
})
