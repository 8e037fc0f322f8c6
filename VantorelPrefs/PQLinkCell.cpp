#include "PQLinkCell.h"

#include "PQCellInitialiser.h"
#include "PQPrefs.h"
#include "RowProperties.h"

#include <UIKit/UIFont.h>

RT_DEFINE_CLASS(PQLinkCell, nullptr)

PQ_CELL_INITIALISER(PQLinkCell)

BOOL PQLinkCell::buildContent(PSSpecifier* specifier) {

    // An unknown symbol leaves the icon's space empty.
    rt::Ref<UIImageView> icon = rt::make<UIImageView>();
    icon->setImage(UIImage::systemImageNamed(rowProperties::text(specifier, "sfIcon")));
    icon->setContentMode(UIViewContentModeScaleAspectFit);
    icon->setTintColor(PQPrefs::shared()->accentColour());
    setIconImage(icon);
    addSubview(icon);
    icon->setTranslatesAutoresizingMaskIntoConstraints(NO);
    icon->widthAnchor()->constraintEqualToConstant(PQLinkCell::kIconSize)->setActive(YES);
    icon->heightAnchor()->constraintEqualToConstant(PQLinkCell::kIconSize)->setActive(YES);
    icon->centerYAnchor()->constraintEqualToAnchor(centerYAnchor())->setActive(YES);
    icon->leadingAnchor()->constraintEqualToAnchor(leadingAnchor(), PQLinkCell::kIconLeading)->setActive(YES);

    rt::Ref<UILabel> label = rt::make<UILabel>();
    label->setTextColor(UIColor::labelColor());
    label->setText(rowProperties::text(specifier, "title"));
    label->setFont(UIFont::systemFontOfSize(17, UIFontWeightRegular));
    setHeaderLabel(label);
    addSubview(label);
    label->setTranslatesAutoresizingMaskIntoConstraints(NO);
    label->centerYAnchor()->constraintEqualToAnchor(centerYAnchor(), 0)->setActive(YES);
    label->leadingAnchor()
        ->constraintEqualToAnchor(icon->trailingAnchor(), PQLinkCell::kTitleAfterIcon)
        ->setActive(YES);
    return YES;
}

// The six-digit parse the link rows carry; their own creation does not use it.
rt::Ref<UIColor> PQLinkCell::colorWithHexStringImpl(const std::string& text) {
    return HexColorCodec::colorWithSixDigitHexString(text);
}
