#pragma once
#include <Preferences/PSTableCell.h>
#include <UIKit/UIColorPickerViewController.h>

// The row of a colour setting: its title in the accent colour and a round
// swatch of the stored colour (else the row's "fallback"). A tap opens the
// colour picker on that colour; every colour picked is stored at once as a
// hex string under the row's "key" in its "defaults" domain. It is the
// picker's delegate (UIColorPickerViewControllerDelegate).
#define PQCOLORPICKERCELL_PROPERTIES(P)                                                                      \
    P(rt::Ref<UILabel>, headerLabel, setHeaderLabel, {})                                                     \
    P(rt::Ref<UIView>, colorPreview, setColorPreview, {})                                                    \
    P(rt::Ref<UIColor>, tintColour, setTintColour, {})

class PQColorPickerCell : public PSTableCell {
    RT_OBJECT(PQColorPickerCell, PSTableCell)
    RT_PROPERTIES(PQCOLORPICKERCELL_PROPERTIES)

    static constexpr CGFloat kTitleLeading = 17;
    static constexpr CGFloat kTitleTrailing = -10;
    static constexpr CGFloat kSwatchSize = 29;
    static constexpr CGFloat kSwatchBorder = 1.2;

    // Runtime methods "openColorPicker" (the row's button action) and "updatePreview".
    void openColorPicker();
    void updatePreview();
};
