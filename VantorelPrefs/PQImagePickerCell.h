#pragma once
#include "PQCellInitialiser.h"

#include <Preferences/PSTableCell.h>
#include <UIKit/UIImagePickerController.h>
#include <UIKit/UIImageView.h>
#include <UIKit/UILabel.h>

#include <optional>
#include <string>

// The row of a wallpaper: its title in the accent colour and, at the trailing
// edge, a small preview of the picture file the row stands for. A tap opens
// the photo library; the chosen picture is written as JPEG beside the
// preference file, where the engine's copy at the next respring picks it up.
#define PQIMAGEPICKERCELL_PROPERTIES(P)                                                                      \
    P(rt::Ref<UILabel>, headerLabel, setHeaderLabel, {})                                                     \
    P(rt::Ref<UIImageView>, imagePreview, setImagePreview, {})                                               \
    P(rt::Ref<UIColor>, tintColour, setTintColour, {})

// "openColorPicker" is the row's button action, named as the colour row's;
// it opens the image picker, whose delegate the cell is.
#define PQIMAGEPICKERCELL_METHODS(M, O, C)                                                                   \
    O(initWithStyle)                                                                                         \
    M(void, openColorPicker, "openColorPicker", ())                                                          \
    M(void, writeImage, "writeImage:", (UIImage*))                                                           \
    M(void, updatePreview, "updatePreview", ())                                                              \
    M(void, imagePickerController, "imagePickerController:didFinishPickingMediaWithInfo:",                   \
      (UIImagePickerController*, const UIImagePickerControllerInfo&))                                        \
    M(void, imagePickerControllerDidCancel, "imagePickerControllerDidCancel:", (UIImagePickerController*))   \
    O(didMoveToSuperview)                                                                                    \
    PQ_CELL_TAP_METHODS(M, O, C)

class PQImagePickerCell : public PSTableCell {
    RT_OBJECT(PQImagePickerCell, PSTableCell)
    RT_PROPERTIES(PQIMAGEPICKERCELL_PROPERTIES)
    RT_METHODS(PQIMAGEPICKERCELL_METHODS)

    static constexpr CGFloat kTitleInset = 10;
    static constexpr CGFloat kPreviewSide = 29;
    // The strongest compression: wallpapers sit under a blur and are copied
    // on every respring, so size matters more than detail.
    static constexpr CGFloat kJPEGQuality = 0.0;

    // "<preferences folder><defaults>-<key>.png"; nothing for a row without
    // either, which names no file.
    std::optional<std::string> imagePath();

  private:
    BOOL buildContent(PSSpecifier* specifier);
};
