#include "PQColorPickerCell.h"

#include "CellParts.h"
#include "PQCellInitialiser.h"
#include "PQPrefs.h"
#include "RowProperties.h"

namespace {

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

} // namespace

RT_DEFINE_CLASS(PQColorPickerCell, nullptr)

PQ_CELL_INITIALISER(PQColorPickerCell)

BOOL PQColorPickerCell::buildContent(PSSpecifier* specifier) {
    setTintColour(PQPrefs::shared()->accentColour());

    setHeaderLabel(cellParts::title(this, specifier, tintColour(), leadingAnchor(), kTitleLeading,
                                    contentView()->trailingAnchor(), kTitleTrailing));
    return YES;
}

void PQColorPickerCell::didMoveToSuperviewImpl() {
    didMoveToSuperviewSuper();
    updatePreview();
    cellParts::routeTaps(this, rt::sel<"openColorPicker">());
}

void PQColorPickerCell::updatePreviewImpl() {
    rt::Ref<UIView> swatch = rt::make<UIView>();
    swatch->initWithFrame(CGRectMake(0, 0, kSwatchSize, kSwatchSize));
    setColorPreview(swatch);
    swatch->layer()->setBorderWidth(kSwatchBorder);
    swatch->layer()->setBorderColor(tintColour());
    swatch->layer()->setCornerRadius(kSwatchSize / 2);
    swatch->setBackgroundColor(PQPrefs::shared()->colorWithHexString(storedColourText(this)));
    setAccessoryView(swatch);
}

void PQColorPickerCell::openColorPickerImpl() {
    rt::Ref<UIViewController> presenter = _viewControllerForAncestor();
    rt::Ref<UIColorPickerViewController> picker = rt::make<UIColorPickerViewController>();
    picker->view()->setTintColor(tintColour());
    picker->setDelegate(this);
    picker->setSelectedColor(PQPrefs::shared()->colorWithHexString(storedColourText(this)));
    rt::Ref<PSSpecifier> row = specifier();
    picker->setSupportsAlpha(row && row->propertyForKey("supportAlpha").boolValue() ? YES : NO);
    if (presenter)
        presenter->presentViewController(picker, YES, nullptr);
}

// Every selection and the close alike: the picker's colour is stored, then
// shown. No notification: colour rows do not go through the page.
void PQColorPickerCell::storePickedColour(UIColorPickerViewController* picker) {
    rt::Ref<PSSpecifier> row = specifier();
    const std::string hex =
        HexColorCodec::hexStringFromColor(picker ? picker->selectedColor().get() : nullptr);
    PQPrefs::shared()->setObject(ns::PlistValue(hex), rowProperties::optionalText(row, "key"),
                                 rowProperties::optionalText(row, "defaults"));
    updatePreview();
}
void PQColorPickerCell::colorPickerViewControllerDidSelectColorImpl(UIColorPickerViewController* picker) {
    storePickedColour(picker);
}
void PQColorPickerCell::colorPickerViewControllerDidFinishImpl(UIColorPickerViewController* picker) {
    storePickedColour(picker);
}

PQ_CELL_TAPS_GO_TO(PQColorPickerCell, "openColorPicker")

rt::Ref<UIColor> PQColorPickerCell::colorWithHexStringImpl(const std::string& text) {
    return PQPrefs::shared()->colorWithHexString(text);
}
std::string PQColorPickerCell::hexStringFromColorImpl(UIColor* colour) {
    return HexColorCodec::hexStringFromColor(colour);
}
