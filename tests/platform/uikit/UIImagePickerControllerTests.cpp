#include "../foundation/TemporaryDirectory.h"

#include <Foundation/NSFileManager.h>
#include <UIKit/UIImagePickerController.h>
#include <UIKit/UINavigationItem.h>
#include <objc/message.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

// Records what the picker tells it, as a delegate of the pane does.
#define PICKERDELEGATE_METHODS(M, O, C)                                                                      \
    M(void, didFinishPicking, "imagePickerController:didFinishPickingMediaWithInfo:",                        \
      (UIImagePickerController*, const UIImagePickerControllerInfo&))                                        \
    M(void, didCancel, "imagePickerControllerDidCancel:", (UIImagePickerController*))

class PickerDelegate : public NSObject {
    RT_OBJECT(PickerDelegate, NSObject)
    RT_METHODS(PICKERDELEGATE_METHODS)
  public:
    std::vector<rt::Ref<UIImage>> picked;
    int cancels = 0;
    bool dismisses = true;
};

RT_DEFINE_CLASS(PickerDelegate, nullptr)

void PickerDelegate::didFinishPickingImpl(UIImagePickerController* picker,
                                          const UIImagePickerControllerInfo& info) {
    auto found = info.find(UIImagePickerControllerOriginalImage);
    picked.push_back(found == info.end() ? nullptr : rt::dynamicCast<UIImage>(found->second));
    if (dismisses)
        picker->dismissViewControllerAnimated(YES, nullptr);
}

void PickerDelegate::didCancelImpl(UIImagePickerController* picker) {
    ++cancels;
    picker->dismissViewControllerAnimated(YES, nullptr);
}

// A delegate that answers neither message.
class SilentDelegate : public NSObject {
    RT_OBJECT(SilentDelegate, NSObject)
};
RT_DEFINE_CLASS(SilentDelegate, nullptr)

Bytes picture(int width, int height) {
    uikit::ImageBitmap bitmap{width, height,
                              std::vector<std::uint32_t>(std::size_t(width) * height, 0xFF3366CCu)};
    rt::Ref<UIImage> image = UIImage::imageWithBitmap(std::move(bitmap));
    return *UIImagePNGRepresentation(image);
}

class PhotoLibrary : public ::testing::Test {
  protected:
    void SetUp() override {
        ::setenv("SIMDEVICE_ROOT", m_root.path().c_str(), 1);
        ASSERT_TRUE(m_files->createDirectoryAtPath(UIImagePickerController::kPhotoLibraryFolder, YES));
        m_presenter->view();
        m_picker->setDelegate(m_delegate);
        m_presenter->presentViewController(m_picker, YES, nullptr);
    }
    void TearDown() override { ::unsetenv("SIMDEVICE_ROOT"); }
    void addFile(const std::string& name, const Bytes& bytes) {
        ASSERT_TRUE(m_files->createFileAtPath(UIImagePickerController::kPhotoLibraryFolder + name, bytes));
    }

    TemporaryDirectory m_root;
    NSFileManager* m_files = NSFileManager::defaultManager();
    rt::Ref<UIViewController> m_presenter = rt::make<UIViewController>();
    rt::Ref<UIImagePickerController> m_picker = rt::make<UIImagePickerController>();
    rt::Ref<PickerDelegate> m_delegate = rt::make<PickerDelegate>();
};

} // namespace

TEST_F(PhotoLibrary, ShowsTheJPEGAndPNGFilesOfTheFolderInNameOrder) {
    addFile("IMG_0002.PNG", picture(4, 3));
    addFile("IMG_0001.jpg", picture(4, 3));
    addFile("notes.txt", {'h', 'i'});
    addFile(".hidden.png", picture(4, 3));
    ASSERT_TRUE(m_files->createDirectoryAtPath(
        std::string(UIImagePickerController::kPhotoLibraryFolder) + "Album.png", NO));
    EXPECT_EQ(UIImagePickerController::photoLibrary(),
              (std::vector<std::string>{"Album.png", "IMG_0001.jpg", "IMG_0002.PNG"}));
    EXPECT_TRUE(
        UIImagePickerController::isSourceTypeAvailable(UIImagePickerControllerSourceTypePhotoLibrary));
    EXPECT_FALSE(UIImagePickerController::isSourceTypeAvailable(UIImagePickerControllerSourceTypeCamera));
    EXPECT_EQ(m_picker->sourceType(), UIImagePickerControllerSourceTypePhotoLibrary);
    ASSERT_EQ(m_picker->viewControllers().size(), 1u); // the library's page, with Cancel
    EXPECT_EQ(m_picker->topViewController()->title(), "Photos");
}

TEST_F(PhotoLibrary, ATappedPhotoReachesTheDelegateDecoded) {
    addFile("IMG_0001.PNG", picture(6, 4));
    EXPECT_TRUE(m_picker->_pickPhotoNamed("IMG_0001.PNG"));
    ASSERT_EQ(m_delegate->picked.size(), 1u);
    ASSERT_TRUE(m_delegate->picked[0]);
    EXPECT_EQ(m_delegate->picked[0]->size().width, 6);
    EXPECT_EQ(m_delegate->picked[0]->bitmap()->at(0, 0), 0xFF3366CCu);
    EXPECT_FALSE(m_presenter->presentedViewController()); // the delegate dismissed it
}

TEST_F(PhotoLibrary, NamesItDoesNotShowAndBrokenFilesSendNothing) {
    addFile("IMG_0001.PNG", Bytes{0x89, 'P', 'N', 'G', 1, 2, 3});
    addFile("notes.txt", picture(2, 2));
    for (const char* name : {"IMG_0001.PNG", "notes.txt", "IMG_0009.PNG", "../100APPLE/IMG_0001.PNG", ""})
        EXPECT_FALSE(m_picker->_pickPhotoNamed(name)) << name;
    EXPECT_TRUE(m_delegate->picked.empty());
    EXPECT_EQ(m_presenter->presentedViewController().get(), m_picker.get());

    m_picker->setSourceType(UIImagePickerControllerSourceTypeCamera);
    addFile("IMG_0002.PNG", picture(2, 2));
    EXPECT_FALSE(m_picker->_pickPhotoNamed("IMG_0002.PNG"));
}

TEST_F(PhotoLibrary, CancelGoesToTheDelegateAndTheCancelButtonIsWiredToIt) {
    rt::Ref<UIBarButtonItem> cancel = m_picker->topViewController()->navigationItem()->rightBarButtonItem();
    ASSERT_TRUE(cancel);
    EXPECT_EQ(cancel->title(), "Cancel");
    EXPECT_TRUE(cancel->tap());
    EXPECT_EQ(m_delegate->cancels, 1);
    EXPECT_TRUE(m_delegate->picked.empty());
    EXPECT_FALSE(m_presenter->presentedViewController());
}

TEST_F(PhotoLibrary, WithoutDelegateMethodsThePickerDismissesItself) {
    for (bool cancel : {false, true}) {
        auto presenter = rt::make<UIViewController>();
        auto picker = rt::make<UIImagePickerController>();
        auto silent = rt::make<SilentDelegate>();
        picker->setDelegate(cancel ? static_cast<id>(silent) : nullptr);
        presenter->presentViewController(picker, YES, nullptr);
        if (cancel)
            picker->_cancel();
        else
            picker->_pickImage(UIImage::imageWithData(picture(2, 2)));
        EXPECT_FALSE(presenter->presentedViewController()) << cancel;
    }
}

TEST_F(PhotoLibrary, TheDelegateIsWeak) {
    addFile("IMG_0001.PNG", picture(2, 2));
    m_delegate = nullptr;
    EXPECT_FALSE(m_picker->delegate());
    EXPECT_TRUE(m_picker->_pickPhotoNamed("IMG_0001.PNG")); // no delegate: it closes itself
    EXPECT_FALSE(m_presenter->presentedViewController());
}
