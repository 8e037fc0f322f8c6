#include "CellParts.h"

#include "RowProperties.h"

#include <UIKit/UIFont.h>

namespace cellParts {

rt::Ref<UILabel> title(PSTableCell* cell, const PSSpecifier* row, UIColor* colour, NSLayoutXAxisAnchor* after,
                       CGFloat gap, NSLayoutXAxisAnchor* before, CGFloat beforeGap) {
    rt::Ref<UILabel> label = rt::make<UILabel>();
    label->setTextColor(colour);
    label->setText(rowProperties::text(row, "title"));
    label->setFont(UIFont::systemFontOfSize(17, UIFontWeightRegular));
    cell->addSubview(label);
    label->setTranslatesAutoresizingMaskIntoConstraints(NO);
    label->centerYAnchor()->constraintEqualToAnchor(cell->centerYAnchor())->setActive(YES);
    label->leadingAnchor()->constraintEqualToAnchor(after, gap)->setActive(YES);
    if (before)
        label->trailingAnchor()->constraintEqualToAnchor(before, beforeGap)->setActive(YES);
    return label;
}

rt::Ref<UIImageView> symbol(PSTableCell* cell, const std::string& name, UIColor* colour, CGFloat side) {
    rt::Ref<UIImageView> view = rt::make<UIImageView>();
    view->setImage(UIImage::systemImageNamed(name));
    view->setContentMode(UIViewContentModeScaleAspectFit);
    view->setTintColor(colour);
    cell->addSubview(view);
    view->setTranslatesAutoresizingMaskIntoConstraints(NO);
    view->widthAnchor()->constraintEqualToConstant(side)->setActive(YES);
    view->heightAnchor()->constraintEqualToConstant(side)->setActive(YES);
    view->centerYAnchor()->constraintEqualToAnchor(cell->centerYAnchor())->setActive(YES);
    return view;
}

void routeTaps(PSTableCell* cell, SEL action) {
    if (rt::Ref<PSSpecifier> row = cell->specifier()) {
        row->setTarget(cell);
        row->setButtonAction(action);
    }
}

} // namespace cellParts
