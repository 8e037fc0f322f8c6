#include "PQInfoSwitchCell.h"

#include "PQPrefs.h"
#include "RowProperties.h"

#include <UIKit/UIAlertController.h>
#include <UIKit/UIFont.h>
#include <UIKit/UIViewController.h>

namespace {

PQInfoSwitchCell* cellOf(id self) {
    return static_cast<PQInfoSwitchCell*>(self);
}

id initWithStyle(id self, SEL cmd, UITableViewCellStyle style, const std::string& reuseIdentifier,
                 PSSpecifier* specifier) {
    id made = rt::sendSuper<id(UITableViewCellStyle, const std::string&, PSSpecifier*)>(
        self, PQInfoSwitchCell::classObject(), cmd, style, reuseIdentifier, specifier);
    if (!made)
        return nullptr;
    PQInfoSwitchCell* cell = cellOf(made);
    cell->control()->setOnTintColor(PQPrefs::shared()->accentColour());

    rt::Ref<UIButton> info = UIButton::buttonWithType(UIButtonTypeInfoDark);
    cell->_infoButton = info;
    info->setTranslatesAutoresizingMaskIntoConstraints(NO);
    info->addTarget(cell, rt::sel<"infoButtonTapped">(), UIControlEventTouchUpInside);
    rt::Ref<UIView> content = cell->contentView();
    content->addSubview(info);
    NSLayoutConstraint::activateConstraints({
        info->centerYAnchor()->constraintEqualToAnchor(content->centerYAnchor()),
        info->trailingAnchor()->constraintEqualToAnchor(content->trailingAnchor(),
                                                        PQInfoSwitchCell::kInfoTrailing),
    });

    rt::Ref<UILabel> label = rt::make<UILabel>();
    label->setTextColor(UIColor::labelColor());
    label->setText(rowProperties::text(specifier, "title"));
    label->setFont(UIFont::systemFontOfSize(17, UIFontWeightRegular));
    cell->setHeaderLabel(label);
    cell->addSubview(label);
    label->setTranslatesAutoresizingMaskIntoConstraints(NO);
    label->centerYAnchor()->constraintEqualToAnchor(cell->centerYAnchor(), 0)->setActive(YES);
    label->leadingAnchor()
        ->constraintEqualToAnchor(cell->leadingAnchor(), PQInfoSwitchCell::kTitleLeading)
        ->setActive(YES);
    label->trailingAnchor()
        ->constraintEqualToAnchor(info->leadingAnchor(), PQInfoSwitchCell::kTitleToInfo)
        ->setActive(YES);
    return made;
}

void infoButtonTapped(id self, SEL) {
    PQInfoSwitchCell* cell = cellOf(self);
    rt::Ref<PSSpecifier> row = cell->specifier();
    const std::string title = rowProperties::text(row, "title");
    const std::string message =
        rowProperties::optionalText(row, "message").value_or(PQInfoSwitchCell::kNoMessage);
    rt::Ref<UIAlertController> alert =
        UIAlertController::alertControllerWithTitle(title, message, UIAlertControllerStyleAlert);
    alert->addAction(UIAlertAction::actionWithTitle("OK", UIAlertActionStyleCancel, nullptr));
    if (rt::Ref<UIViewController> presenter = cell->_viewControllerForAncestor())
        presenter->presentViewController(alert, YES, nullptr);
}

} // namespace

RT_DEFINE_CLASS(PQInfoSwitchCell, [](Class cls, Class) {
    class_addMethod(cls, rt::sel<"initWithStyle:reuseIdentifier:specifier:">(), &::initWithStyle);
    class_addMethod(cls, rt::sel<"infoButtonTapped">(), &::infoButtonTapped);
})

void PQInfoSwitchCell::infoButtonTapped() {
    rt::send<void()>(this, rt::sel<"infoButtonTapped">());
}
