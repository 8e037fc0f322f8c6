#pragma once
#include "PQCellInitialiser.h"

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

// "openColorPicker" is the row's button action; both picker callbacks store
// the picked colour and show it.
#define PQCOLORPICKERCELL_METHODS(M, O, C)                                                                   \
    O(initWithStyle)                                                                                         \
    M(void, openColorPicker, "openColorPicker", ())                                                          \
    M(void, updatePreview, "updatePreview", ())                                                              \
    M(void, colorPickerViewControllerDidSelectColor,                                                         \
      "colorPickerViewControllerDidSelectColor:", (UIColorPickerViewController*))                            \
    M(void, colorPickerViewControllerDidFinish,                                                              \
      "colorPickerViewControllerDidFinish:", (UIColorPickerViewController*))                                 \
    M(rt::Ref<UIColor>, colorWithHexString, "colorWithHexString:", (const std::string&))                     \
    M(std::string, hexStringFromColor, "hexStringFromColor:", (UIColor*))                                    \
    O(didMoveToSuperview)                                                                                    \
    PQ_CELL_TAP_METHODS(M, O, C)

class PQColorPickerCell : public PSTableCell {
    RT_OBJECT(PQColorPickerCell, PSTableCell)
    RT_PROPERTIES(PQCOLORPICKERCELL_PROPERTIES)
    RT_METHODS(PQCOLORPICKERCELL_METHODS)

    static constexpr CGFloat kTitleLeading = 17;
    static constexpr CGFloat kTitleTrailing = -10;
    static constexpr CGFloat kSwatchSize = 29;
    static constexpr CGFloat kSwatchBorder = 1.2;

  private:
    BOOL buildContent(PSSpecifier* specifier);
    void storePickedColour(UIColorPickerViewController* picker);
};
