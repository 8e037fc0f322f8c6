#include "PQImagePickerCell.h"

#include "CellParts.h"
#include "PQCellInitialiser.h"
#include "PQPrefs.h"
#include "ProductIdentity.h"

#include <Foundation/NSFileManager.h>
#include <UIKit/NSLayoutConstraint.h>
#include <objc/message.h>

namespace {

std::optional<std::string> textProperty(PSSpecifier* specifier, const char* key) {
    if (!specifier)
        return std::nullopt;
    const ns::PlistValue value = specifier->propertyForKey(key);
    const std::string* text = value.asString();
    if (!text || text->empty())
        return std::nullopt;
    return *text;
}

} // namespace

RT_DEFINE_CLASS(PQImagePickerCell, nullptr)

std::optional<std::string> PQImagePickerCell::imagePath() {
    rt::Ref<PSSpecifier> row = specifier();
    const auto domain = textProperty(row, "defaults");
    const auto key = textProperty(row, "key");
    if (!domain || !key)
        return std::nullopt;
    return kPreferencesFolder + wallpaperFileName(*key, *domain);
}

PQ_CELL_INITIALISER(PQImagePickerCell)

BOOL PQImagePickerCell::buildContent(PSSpecifier* specifier) {
    setTintColour(PQPrefs::shared()->accentColour());

    setHeaderLabel(cellParts::title(this, specifier, tintColour(), leadingAnchor(), kTitleInset,
                                    contentView()->trailingAnchor(), -kTitleInset));
    return YES;
}

void PQImagePickerCell::didMoveToSuperviewImpl() {
    didMoveToSuperviewSuper();
    updatePreview();
    cellParts::routeTaps(this, rt::sel<"openColorPicker">());
}

void PQImagePickerCell::updatePreviewImpl() {
    auto preview = rt::make<UIImageView>();
    preview->initWithFrame(CGRectMake(0, 0, kPreviewSide, kPreviewSide));
    preview->setClipsToBounds(YES);
    setImagePreview(preview);
    if (const auto path = imagePath(); path && NSFileManager::defaultManager()->fileExistsAtPath(*path))
        preview->setImage(UIImage::imageWithContentsOfFile(*path));
    setAccessoryView(preview);
}

void PQImagePickerCell::openColorPickerImpl() {
    rt::Ref<UIViewController> shown = _viewControllerForAncestor();
    auto picker = rt::make<UIImagePickerController>();
    picker->setDelegate(this);
    picker->setSourceType(UIImagePickerControllerSourceTypePhotoLibrary);
    if (shown)
        shown->presentViewController(picker, YES, nullptr);
}

void PQImagePickerCell::imagePickerControllerImpl(UIImagePickerController* picker,
                                                  const UIImagePickerControllerInfo& info) {
    // Still images are all the picker offers; anything else has nothing to write.
    const auto original = info.find(UIImagePickerControllerOriginalImage);
    if (rt::Ref<UIImage> image =
            original == info.end() ? nullptr : rt::dynamicCast<UIImage>(original->second))
        writeImage(image);
    updatePreview();
    if (picker)
        picker->dismissViewControllerAnimated(YES, nullptr);
}

void PQImagePickerCell::imagePickerControllerDidCancelImpl(UIImagePickerController* picker) {
    if (picker)
        picker->dismissViewControllerAnimated(YES, nullptr);
}

// The new file replaces the old one in a single step, so a write that fails
// leaves the previous wallpaper in place rather than none at all.
void PQImagePickerCell::writeImageImpl(UIImage* image) {
    const auto path = imagePath();
    if (!path)
        return;
    const auto data = UIImageJPEGRepresentation(image, kJPEGQuality);
    if (!data)
        return;
    (void)NSFileManager::defaultManager()->createFileAtPath(*path, *data);
}

PQ_CELL_TAPS_GO_TO(PQImagePickerCell, "openColorPicker")
