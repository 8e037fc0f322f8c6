#include "PQInfoSwitchCell.h"

#include "CellParts.h"
#include "PQCellInitialiser.h"
#include "PQPrefs.h"
#include "RowProperties.h"

#include <UIKit/UIAlertController.h>
#include <UIKit/UIViewController.h>

RT_DEFINE_CLASS(PQInfoSwitchCell, nullptr)

PQ_CELL_INITIALISER(PQInfoSwitchCell)

BOOL PQInfoSwitchCell::buildContent(PSSpecifier* specifier) {
    control()->setOnTintColor(PQPrefs::shared()->accentColour());

    rt::Ref<UIButton> info = UIButton::buttonWithType(UIButtonTypeInfoDark);
    _infoButton = info;
    info->setTranslatesAutoresizingMaskIntoConstraints(NO);
    info->addTarget(this, rt::sel<"infoButtonTapped">(), UIControlEventTouchUpInside);
    rt::Ref<UIView> content = contentView();
    content->addSubview(info);
    NSLayoutConstraint::activateConstraints({
        info->centerYAnchor()->constraintEqualToAnchor(content->centerYAnchor()),
        info->trailingAnchor()->constraintEqualToAnchor(content->trailingAnchor(),
                                                        PQInfoSwitchCell::kInfoTrailing),
    });

    setHeaderLabel(cellParts::title(this, specifier, UIColor::labelColor(), leadingAnchor(), kTitleLeading,
                                    info->leadingAnchor(), kTitleToInfo));
    return YES;
}

void PQInfoSwitchCell::infoButtonTappedImpl() {
    rt::Ref<PSSpecifier> row = specifier();
    const std::string title = rowProperties::text(row, "title");
    const std::string message = rowProperties::optionalText(row, "message").value_or(kNoMessage);
    rt::Ref<UIAlertController> alert =
        UIAlertController::alertControllerWithTitle(title, message, UIAlertControllerStyleAlert);
    alert->addAction(UIAlertAction::actionWithTitle("OK", UIAlertActionStyleCancel, nullptr));
    if (rt::Ref<UIViewController> presenter = _viewControllerForAncestor())
        presenter->presentViewController(alert, YES, nullptr);
}
