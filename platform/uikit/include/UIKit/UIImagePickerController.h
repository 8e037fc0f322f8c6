#pragma once
#include <UIKit/UIImage.h>
#include <UIKit/UINavigationController.h>
#include <objc/Weak.h>

#include <map>
#include <string>
#include <vector>

enum UIImagePickerControllerSourceType : NSInteger {
    UIImagePickerControllerSourceTypePhotoLibrary = 0,
    UIImagePickerControllerSourceTypeCamera = 1,
    UIImagePickerControllerSourceTypeSavedPhotosAlbum = 2,
};

// What the picker hands its delegate: the chosen picture under
// UIImagePickerControllerOriginalImage.
using UIImagePickerControllerInfo = std::map<std::string, rt::Ref<NSObject>>;
inline constexpr const char* UIImagePickerControllerOriginalImage = "UIImagePickerControllerOriginalImage";

// The system's photo picker, showing the device's photo library: the JPEG and
// PNG files of kPhotoLibraryFolder, in name order. Choosing one sends the
// delegate "imagePickerController:didFinishPickingMediaWithInfo:" with the
// decoded picture; Cancel sends "imagePickerControllerDidCancel:". A delegate
// that answers neither leaves the picker to dismiss itself. The delegate is
// weak, as every delegate.
#define UIIMAGEPICKERCONTROLLER_PROPERTIES(P)                                                                \
    P(UIImagePickerControllerSourceType, sourceType, setSourceType,                                          \
      UIImagePickerControllerSourceTypePhotoLibrary)

// "_cancel" is a tap on Cancel. Its view is the library's page, titled as
// the device's, with its Cancel button.
#define UIIMAGEPICKERCONTROLLER_METHODS(M, O, C)                                                             \
    M(void, _cancel, "_cancel", ())                                                                          \
    O(loadView)

class UIKIT_EXTERN UIImagePickerController : public UINavigationController {
    RT_OBJECT(UIImagePickerController, UINavigationController)
    RT_PROPERTIES(UIIMAGEPICKERCONTROLLER_PROPERTIES)
    RT_METHODS(UIIMAGEPICKERCONTROLLER_METHODS)

    static constexpr const char* kPhotoLibraryFolder = "/var/mobile/Media/DCIM/100APPLE/";

    // The simulated device has no camera.
    static BOOL isSourceTypeAvailable(UIImagePickerControllerSourceType type);
    // The photos the library shows: file names ending in .jpg, .jpeg or .png
    // (any case), sorted; none without a library.
    static std::vector<std::string> photoLibrary();

    rt::Ref<objc_object> delegate() const { return m_delegate.lock(); }
    void setDelegate(id delegate) { m_delegate = delegate; }

    // What a finger does in the picker. A tap on a photo of the library: NO,
    // and nothing sent, when the picker shows no photo of that name or the
    // file is no picture it can decode.
    BOOL _pickPhotoNamed(const std::string& name);
    // A tap on a photo showing `image`.
    void _pickImage(UIImage* image);

  private:
    rt::Weak<objc_object> m_delegate;
};
