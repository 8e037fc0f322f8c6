#include <UIKit/UIImagePickerController.h>

#include <UIKit/UIBarButtonItem.h>
#include <UIKit/UINavigationItem.h>
#include <objc/message.h>

#include <Foundation/NSFileManager.h>

#include <algorithm>
#include <cctype>

namespace {

bool showsAsPhoto(const std::string& name) {
    const std::size_t dot = name.rfind('.');
    if (name.empty() || name.front() == '.' || dot == std::string::npos)
        return false;
    std::string extension = name.substr(dot + 1);
    std::ranges::transform(extension, extension.begin(),
                           [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return extension == "jpg" || extension == "jpeg" || extension == "png";
}

bool showsLibrary(UIImagePickerControllerSourceType type) {
    return type == UIImagePickerControllerSourceTypePhotoLibrary ||
           type == UIImagePickerControllerSourceTypeSavedPhotosAlbum;
}

} // namespace

RT_DEFINE_CLASS(UIImagePickerController, nullptr)

void UIImagePickerController::loadViewImpl() {
    if (viewControllers().empty()) {
        auto photos = rt::make<UIViewController>();
        photos->setTitle("Photos");
        auto cancel = rt::make<UIBarButtonItem>();
        cancel->initWithTitle("Cancel", UIBarButtonItemStylePlain, this, rt::sel<"_cancel">());
        photos->navigationItem()->setTitle("Photos");
        photos->navigationItem()->setRightBarButtonItem(cancel);
        initWithRootViewController(photos);
    }
    loadViewSuper();
}

BOOL UIImagePickerController::isSourceTypeAvailable(UIImagePickerControllerSourceType type) {
    return showsLibrary(type) ? YES : NO;
}

std::vector<std::string> UIImagePickerController::photoLibrary() {
    std::vector<std::string> photos;
    for (const std::string& name : NSFileManager::defaultManager()
                                       ->contentsOfDirectoryAtPath(kPhotoLibraryFolder)
                                       .value_or(std::vector<std::string>{}))
        if (showsAsPhoto(name))
            photos.push_back(name);
    return photos;
}

BOOL UIImagePickerController::_pickPhotoNamed(const std::string& name) {
    if (!showsLibrary(sourceType()))
        return NO;
    const std::vector<std::string> photos = photoLibrary();
    if (std::ranges::find(photos, name) == photos.end())
        return NO;
    rt::Ref<UIImage> image = UIImage::imageWithContentsOfFile(kPhotoLibraryFolder + name);
    if (!image)
        return NO;
    _pickImage(image);
    return YES;
}

void UIImagePickerController::_pickImage(UIImage* image) {
    rt::Ref<UIImagePickerController> keep(this); // the delegate's dismissal may release the picker
    const UIImagePickerControllerInfo info{{UIImagePickerControllerOriginalImage, rt::Ref<NSObject>(image)}};
    SEL finished = rt::sel<"imagePickerController:didFinishPickingMediaWithInfo:">();
    if (rt::Ref<objc_object> delegate = this->delegate();
        delegate && class_respondsToSelector(delegate->isa(), finished))
        rt::send<void(UIImagePickerController*, const UIImagePickerControllerInfo&)>(delegate, finished, this,
                                                                                     info);
    else
        dismissViewControllerAnimated(YES, nullptr);
}

void UIImagePickerController::_cancelImpl() {
    rt::Ref<UIImagePickerController> keep(this);
    SEL cancelled = rt::sel<"imagePickerControllerDidCancel:">();
    if (rt::Ref<objc_object> delegate = this->delegate();
        delegate && class_respondsToSelector(delegate->isa(), cancelled))
        rt::send<void(UIImagePickerController*)>(delegate, cancelled, this);
    else
        dismissViewControllerAnimated(YES, nullptr);
}
