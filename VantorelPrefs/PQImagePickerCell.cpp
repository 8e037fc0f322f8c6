#include "PQImagePickerCell.h"

#include "PQPrefs.h"
#include "ProductIdentity.h"

#include <Foundation/NSFileManager.h>
#include <UIKit/NSLayoutConstraint.h>
#include <UIKit/UIFont.h>
#include <objc/message.h>

namespace {

PQImagePickerCell* cellOf(id self) {
    return static_cast<PQImagePickerCell*>(self);
}

std::optional<std::string> textProperty(PSSpecifier* specifier, const char* key) {
    if (!specifier)
        return std::nullopt;
    const ns::PlistValue value = specifier->propertyForKey(key);
    const std::string* text = value.asString();
    if (!text || text->empty())
        return std::nullopt;
    return *text;
}

id initWithStyle(id self, SEL cmd, UITableViewCellStyle style, const std::string& reuseIdentifier,
                 PSSpecifier* specifier) {
    id made = rt::sendSuper<id(UITableViewCellStyle, const std::string&, PSSpecifier*)>(
        self, PQImagePickerCell::classObject(), cmd, style, reuseIdentifier, specifier);
    if (!made)
        return nullptr;
    PQImagePickerCell* cell = cellOf(made);
    cell->setTintColour(PQPrefs::shared()->accentColour());

    auto label = rt::make<UILabel>();
    label->setTextColor(cell->tintColour());
    label->setText(textProperty(specifier, "title").value_or(""));
    label->setFont(UIFont::systemFontOfSize(17, UIFontWeightRegular));
    label->setTranslatesAutoresizingMaskIntoConstraints(NO);
    cell->setHeaderLabel(label);
    // On the cell itself, not its content view.
    cell->addSubview(label);
    NSLayoutConstraint::activateConstraints({
        label->centerYAnchor()->constraintEqualToAnchor(cell->centerYAnchor()),
        label->leadingAnchor()->constraintEqualToAnchor(cell->leadingAnchor(),
                                                        PQImagePickerCell::kTitleInset),
        label->trailingAnchor()->constraintEqualToAnchor(cell->contentView()->trailingAnchor(),
                                                         -PQImagePickerCell::kTitleInset),
    });
    return made;
}

void didMoveToSuperview(id self, SEL cmd) {
    rt::sendSuper<void()>(self, PQImagePickerCell::classObject(), cmd);
    PQImagePickerCell* cell = cellOf(self);
    cell->updatePreview();
    if (rt::Ref<PSSpecifier> row = cell->specifier()) {
        row->setTarget(self);
        row->setButtonAction(rt::sel<"openColorPicker">());
    }
}

void updatePreview(id self, SEL) {
    PQImagePickerCell* cell = cellOf(self);
    auto preview = rt::make<UIImageView>();
    preview->initWithFrame(
        CGRectMake(0, 0, PQImagePickerCell::kPreviewSide, PQImagePickerCell::kPreviewSide));
    preview->setClipsToBounds(YES);
    cell->setImagePreview(preview);
    if (const auto path = cell->imagePath(); path && NSFileManager::defaultManager()->fileExistsAtPath(*path))
        preview->setImage(UIImage::imageWithContentsOfFile(*path));
    cell->setAccessoryView(preview);
}

void openColorPicker(id self, SEL) {
    rt::Ref<UIViewController> shown = cellOf(self)->_viewControllerForAncestor();
    auto picker = rt::make<UIImagePickerController>();
    picker->setDelegate(self);
    picker->setSourceType(UIImagePickerControllerSourceTypePhotoLibrary);
    if (shown)
        shown->presentViewController(picker, YES, nullptr);
}

void didFinishPicking(id self, SEL, UIImagePickerController* picker,
                      const UIImagePickerControllerInfo& info) {
    PQImagePickerCell* cell = cellOf(self);
    // Still images are all the picker offers; anything else has nothing to write.
    const auto original = info.find(UIImagePickerControllerOriginalImage);
    if (rt::Ref<UIImage> image =
            original == info.end() ? nullptr : rt::dynamicCast<UIImage>(original->second))
        cell->writeImage(image);
    cell->updatePreview();
    if (picker)
        picker->dismissViewControllerAnimated(YES, nullptr);
}

void didCancel(id, SEL, UIImagePickerController* picker) {
    if (picker)
        picker->dismissViewControllerAnimated(YES, nullptr);
}

// The new file replaces the old one in a single step, so a write that fails
// leaves the previous wallpaper in place rather than none at all.
void writeImage(id self, SEL, UIImage* image) {
    const auto path = cellOf(self)->imagePath();
    if (!path)
        return;
    const auto data = UIImageJPEGRepresentation(image, PQImagePickerCell::kJPEGQuality);
    if (!data)
        return;
    (void)NSFileManager::defaultManager()->createFileAtPath(*path, *data);
}

rt::Ref<objc_object> target(id self, SEL) {
    return rt::Ref<objc_object>(self);
}

SEL action(id, SEL) {
    return rt::sel<"openColorPicker">();
}

} // namespace

RT_DEFINE_CLASS(PQImagePickerCell, [](Class cls, Class) {
    class_addMethod(cls, rt::sel<"initWithStyle:reuseIdentifier:specifier:">(), &::initWithStyle);
    class_addMethod(cls, rt::sel<"didMoveToSuperview">(), &::didMoveToSuperview);
    class_addMethod(cls, rt::sel<"updatePreview">(), &::updatePreview);
    class_addMethod(cls, rt::sel<"openColorPicker">(), &::openColorPicker);
    class_addMethod(cls, rt::sel<"imagePickerController:didFinishPickingMediaWithInfo:">(),
                    &::didFinishPicking);
    class_addMethod(cls, rt::sel<"imagePickerControllerDidCancel:">(), &::didCancel);
    class_addMethod(cls, rt::sel<"writeImage:">(), &::writeImage);
    class_addMethod(cls, rt::sel<"target">(), &::target);
    class_addMethod(cls, rt::sel<"cellTarget">(), &::target);
    class_addMethod(cls, rt::sel<"action">(), &::action);
    class_addMethod(cls, rt::sel<"cellAction">(), &::action);
})

void PQImagePickerCell::openColorPicker() {
    rt::send<void()>(this, rt::sel<"openColorPicker">());
}

void PQImagePickerCell::writeImage(UIImage* image) {
    rt::send<void(UIImage*)>(this, rt::sel<"writeImage:">(), image);
}

void PQImagePickerCell::updatePreview() {
    rt::send<void()>(this, rt::sel<"updatePreview">());
}

std::optional<std::string> PQImagePickerCell::imagePath() {
    rt::Ref<PSSpecifier> row = specifier();
    const auto domain = textProperty(row, "defaults");
    const auto key = textProperty(row, "key");
    if (!domain || !key)
        return std::nullopt;
    return kPreferencesFolder + wallpaperFileName(*key, *domain);
}
