#include "PQColorPickerCell.h"

#include "PQPrefs.h"
#include "RowProperties.h"

#include <UIKit/UIFont.h>

namespace {

PQColorPickerCell* cellOf(id self) {
    return static_cast<PQColorPickerCell*>(self);
}

// The stored string, else the row's fallback. A stored value that is no
// string counts as missing, as the engine reads it. A row without either hands
// the codec nothing: its answer for nil.
std::string storedColourText(PQColorPickerCell* cell) {
    rt::Ref<PSSpecifier> row = cell->specifier();
    const ns::PlistValue fallback = row ? row->propertyForKey("fallback") : ns::PlistValue();
    const ns::PlistValue value = PQPrefs::shared()->objectForKey(
        rowProperties::optionalText(row, "key"), fallback, rowProperties::optionalText(row, "defaults"));
    const std::string* text = value.asString();
    if (!text)
        text = fallback.asString();
    return text ? *text : std::string();
}

id initWithStyle(id self, SEL cmd, UITableViewCellStyle style, const std::string& reuseIdentifier,
                 PSSpecifier* specifier) {
    id made = rt::sendSuper<id(UITableViewCellStyle, const std::string&, PSSpecifier*)>(
        self, PQColorPickerCell::classObject(), cmd, style, reuseIdentifier, specifier);
    if (!made)
        return nullptr;
    PQColorPickerCell* cell = cellOf(made);
    cell->setTintColour(PQPrefs::shared()->accentColour());

    rt::Ref<UILabel> label = rt::make<UILabel>();
    label->setTextColor(cell->tintColour());
    label->setText(rowProperties::text(specifier, "title"));
    label->setFont(UIFont::systemFontOfSize(17, UIFontWeightRegular));
    cell->setHeaderLabel(label);
    cell->addSubview(label);
    label->setTranslatesAutoresizingMaskIntoConstraints(NO);
    label->centerYAnchor()->constraintEqualToAnchor(cell->centerYAnchor())->setActive(YES);
    label->leadingAnchor()
        ->constraintEqualToAnchor(cell->leadingAnchor(), PQColorPickerCell::kTitleLeading)
        ->setActive(YES);
    label->trailingAnchor()
        ->constraintEqualToAnchor(cell->contentView()->trailingAnchor(), PQColorPickerCell::kTitleTrailing)
        ->setActive(YES);
    return made;
}

void didMoveToSuperview(id self, SEL cmd) {
    rt::sendSuper<void()>(self, PQColorPickerCell::classObject(), cmd);
    PQColorPickerCell* cell = cellOf(self);
    cell->updatePreview();
    if (rt::Ref<PSSpecifier> row = cell->specifier()) {
        row->setTarget(cell);
        row->setButtonAction(rt::sel<"openColorPicker">());
    }
}

void updatePreview(id self, SEL) {
    PQColorPickerCell* cell = cellOf(self);
    rt::Ref<UIView> swatch = rt::make<UIView>();
    swatch->initWithFrame(CGRectMake(0, 0, PQColorPickerCell::kSwatchSize, PQColorPickerCell::kSwatchSize));
    cell->setColorPreview(swatch);
    swatch->layer()->setBorderWidth(PQColorPickerCell::kSwatchBorder);
    swatch->layer()->setBorderColor(cell->tintColour());
    swatch->layer()->setCornerRadius(PQColorPickerCell::kSwatchSize / 2);
    swatch->setBackgroundColor(PQPrefs::shared()->colorWithHexString(storedColourText(cell)));
    cell->setAccessoryView(swatch);
}

void openColorPicker(id self, SEL) {
    PQColorPickerCell* cell = cellOf(self);
    rt::Ref<UIViewController> presenter = cell->_viewControllerForAncestor();
    rt::Ref<UIColorPickerViewController> picker = rt::make<UIColorPickerViewController>();
    picker->view()->setTintColor(cell->tintColour());
    picker->setDelegate(cell);
    picker->setSelectedColor(PQPrefs::shared()->colorWithHexString(storedColourText(cell)));
    rt::Ref<PSSpecifier> row = cell->specifier();
    picker->setSupportsAlpha(row && row->propertyForKey("supportAlpha").boolValue() ? YES : NO);
    if (presenter)
        presenter->presentViewController(picker, YES, nullptr);
}

// Every selection and the close alike: the picker's colour is stored, then
// shown. No notification: colour rows do not go through the page.
void storePickedColour(id self, SEL, UIColorPickerViewController* picker) {
    PQColorPickerCell* cell = cellOf(self);
    rt::Ref<PSSpecifier> row = cell->specifier();
    const std::string hex =
        HexColorCodec::hexStringFromColor(picker ? picker->selectedColor().get() : nullptr);
    PQPrefs::shared()->setObject(ns::PlistValue(hex), rowProperties::optionalText(row, "key"),
                                 rowProperties::optionalText(row, "defaults"));
    cell->updatePreview();
}

rt::Ref<objc_object> target(id self, SEL) {
    return rt::Ref<objc_object>(self);
}

SEL action(id, SEL) {
    return rt::sel<"openColorPicker">();
}

} // namespace

RT_DEFINE_CLASS(PQColorPickerCell, [](Class cls, Class) {
    class_addMethod(cls, rt::sel<"initWithStyle:reuseIdentifier:specifier:">(), &::initWithStyle);
    class_addMethod(cls, rt::sel<"didMoveToSuperview">(), &::didMoveToSuperview);
    class_addMethod(cls, rt::sel<"updatePreview">(), &::updatePreview);
    class_addMethod(cls, rt::sel<"openColorPicker">(), &::openColorPicker);
    class_addMethod(cls, rt::sel<"colorPickerViewControllerDidSelectColor:">(), &::storePickedColour);
    class_addMethod(cls, rt::sel<"colorPickerViewControllerDidFinish:">(), &::storePickedColour);
    class_addMethod(cls, rt::sel<"target">(), &::target);
    class_addMethod(cls, rt::sel<"cellTarget">(), &::target);
    class_addMethod(cls, rt::sel<"action">(), &::action);
    class_addMethod(cls, rt::sel<"cellAction">(), &::action);
    class_addMethod(
        cls, rt::sel<"colorWithHexString:">(),
        +[](id, SEL, const std::string& text) { return PQPrefs::shared()->colorWithHexString(text); });
    class_addMethod(
        cls, rt::sel<"hexStringFromColor:">(),
        +[](id, SEL, UIColor* colour) { return HexColorCodec::hexStringFromColor(colour); });
})

void PQColorPickerCell::openColorPicker() {
    rt::send<void()>(this, rt::sel<"openColorPicker">());
}

void PQColorPickerCell::updatePreview() {
    rt::send<void()>(this, rt::sel<"updatePreview">());
}
