// The wallpaper row as the Settings host makes it from the loaded bundle:
// tapped, picked and cancelled through the system's image picker.
#include "../platform/foundation/TemporaryDirectory.h"
#include "PresentedAnimated.h"

#include <Foundation/DevicePath.h>
#include <Foundation/NSFileManager.h>
#include <Preferences/PSListController.h>
#include <UIKit/UIFont.h>
#include <UIKit/UIImagePickerController.h>
#include <UIKit/UIImageView.h>
#include <UIKit/UIWindow.h>
#include <objc/message.h>

#include <dlfcn.h>
#include <sys/resource.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>

#include <csignal>
#include <filesystem>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;
using ns::PlistDictionary;

constexpr const char* kDomain = "com.tavq.vantorelprefs";
constexpr const char* kFolder = "/var/mobile/Library/Preferences/";
constexpr const char* kChatWallpaper =
    "/var/mobile/Library/Preferences/com.tavq.vantorelprefs-chatWallpaper.png";

// Detail everywhere, so that the JPEG quality shows in the file's size.
rt::Ref<UIImage> photo(int width, int height, std::uint32_t seed) {
    uikit::ImageBitmap bitmap{width, height, {}};
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            seed = seed * 1103515245u + 12345u;
            const std::uint32_t noise = (seed >> 16) & 0x3F;
            bitmap.pixels.push_back(0xFF000000u | ((x * 255 / width) ^ noise) << 16 |
                                    ((y * 255 / height) + noise) % 256 << 8 | (noise * 3));
        }
    return UIImage::imageWithBitmap(std::move(bitmap));
}

template <class T> rt::Ref<T> property(id object, const char* getter) {
    return rt::send<rt::Ref<T>()>(object, sel_registerName(getter));
}

class ImagePickerCell : public ::testing::Test {
  protected:
    void SetUp() override {
        static void* pane = dlopen(VANTORELPREFS_BINARY, RTLD_NOW | RTLD_LOCAL);
        ASSERT_NE(pane, nullptr) << dlerror();
        setenv(ns::DevicePath::kRootVariable, m_device.path().c_str(), 1);
        fs::create_directories(host(kFolder));
    }
    void TearDown() override { unsetenv(ns::DevicePath::kRootVariable); }

    fs::path host(const std::string& devicePath) const {
        return fs::path(m_device.path()) / fs::path(devicePath).relative_path();
    }
    std::vector<std::string> preferenceFiles() const {
        return NSFileManager::defaultManager()->contentsOfDirectoryAtPath(kFolder).value_or(
            std::vector<std::string>{});
    }
    static Bytes contents(const std::string& devicePath) {
        return NSFileManager::defaultManager()->contentsAtPath(devicePath).value_or(Bytes{});
    }

    // The row on a page in a window, as the host shows it.
    rt::Ref<PSTableCell> show(PlistDictionary fields) {
        m_page = rt::make<PSListController>();
        m_window = rt::make<UIWindow>();
        m_window->setFrame(CGRectMake(0, 0, 390, 844));
        m_window->setRootViewController(m_page);
        m_row = PSSpecifier::specifierWithLayoutItem(fields, m_page);
        rt::Ref<PSTableCell> cell = m_page->cachedCellForSpecifier(m_row);
        m_page->reloadTable();
        m_window->layoutIfNeeded();
        return cell;
    }
    rt::Ref<PSTableCell> showWallpaperRow() {
        return show({{"cell", "PSButtonCell"},
                     {"cellClass", "PQImagePickerCell"},
                     {"title", "Choose Wallpaper"},
                     {"defaults", kDomain},
                     {"key", "chatWallpaper"}});
    }
    // A tap on the row: the picker it presents.
    rt::Ref<UIImagePickerController> tap() {
        m_page->selectSpecifier(m_row);
        return rt::dynamicCast<UIImagePickerController>(m_page->presentedViewController());
    }
    void pick(const rt::Ref<UIImage>& image) {
        rt::Ref<UIImagePickerController> picker = tap();
        ASSERT_TRUE(picker);
        picker->_pickImage(image);
        EXPECT_FALSE(m_page->presentedViewController()) << "the cell closes the picker after a pick";
    }

    TemporaryDirectory m_device;
    rt::Ref<PSListController> m_page;
    rt::Ref<UIWindow> m_window;
    rt::Ref<PSSpecifier> m_row;
};

} // namespace

TEST_F(ImagePickerCell, ThePickerOpensAndClosesAnimated) {
    EXPECT_EXIT(
        {
            presented::watch();
            showWallpaperRow();
            rt::Ref<UIImagePickerController> picker = tap();
            const bool picking = picker != nullptr;
            if (picker)
                picker->_cancel();
            pick(photo(8, 6, 2));
            std::exit(picking && presented::animated == std::vector<bool>{true, true} &&
                              presented::dismissedAnimated.size() >= 2 &&
                              std::count(presented::dismissedAnimated.begin(),
                                         presented::dismissedAnimated.end(), false) == 0
                          ? 0
                          : 1);
        },
        ::testing::ExitedWithCode(0), "");
}

TEST_F(ImagePickerCell, TitleTenPointsInInTheAccentAndAnEmptyClippingPreview) {
    rt::Ref<PSTableCell> cell = showWallpaperRow();
    ASSERT_STREQ(class_getName(object_getClass(cell)), "PQImagePickerCell");

    auto label = property<UILabel>(cell, "headerLabel");
    ASSERT_TRUE(label);
    EXPECT_EQ(label->superview().get(), cell.get()); // on the cell, not its content view
    EXPECT_EQ(label->text(), "Choose Wallpaper");
    EXPECT_TRUE(label->textColor()->isEqual(UIColor::systemOrangeColor()));
    EXPECT_TRUE(property<UIColor>(cell, "tintColour")->isEqual(UIColor::systemOrangeColor()));
    EXPECT_EQ(label->font()->pointSize(), 17);
    EXPECT_EQ(label->font()->weight(), UIFontWeightRegular);
    EXPECT_EQ(label->frame().origin.x, 10);
    EXPECT_NEAR(label->frame().origin.y + label->frame().size.height / 2, cell->bounds().size.height / 2,
                0.5);

    auto preview = property<UIImageView>(cell, "imagePreview");
    ASSERT_TRUE(preview);
    EXPECT_EQ(cell->accessoryView().get(), preview.get());
    EXPECT_EQ(preview->frame().size.width, 29);
    EXPECT_EQ(preview->frame().size.height, 29);
    EXPECT_TRUE(preview->clipsToBounds());
    EXPECT_EQ(preview->layer()->cornerRadius(), 0);
    EXPECT_EQ(preview->layer()->borderWidth(), 0);
    EXPECT_FALSE(preview->image());

    // A tap reaches the cell, whatever the host asks.
    EXPECT_EQ(cell->cellTarget().get(), cell.get());
    EXPECT_STREQ(sel_getName(cell->cellAction()), "openColorPicker");
    EXPECT_EQ(rt::send<rt::Ref<objc_object>()>(cell.get(), rt::sel<"target">()).get(), cell.get());
    EXPECT_STREQ(sel_getName(rt::send<SEL()>(cell.get(), rt::sel<"action">())), "openColorPicker");
    EXPECT_EQ(m_row->target().get(), cell.get());
    EXPECT_STREQ(sel_getName(m_row->buttonAction()), "openColorPicker");
}

TEST_F(ImagePickerCell, APickIsWrittenAsStronglyCompressedJPEGUnderTheRowsPNGName) {
    rt::Ref<PSTableCell> cell = showWallpaperRow();
    rt::Ref<UIImagePickerController> picker = tap();
    ASSERT_TRUE(picker);
    EXPECT_EQ(picker->sourceType(), UIImagePickerControllerSourceTypePhotoLibrary);
    EXPECT_EQ(picker->delegate().get(), cell.get());
    EXPECT_TRUE(preferenceFiles().empty()); // opening writes nothing

    rt::Ref<UIImage> image = photo(160, 120, 1);
    picker->_pickImage(image);
    EXPECT_FALSE(m_page->presentedViewController());
    EXPECT_EQ(preferenceFiles(), std::vector<std::string>{"com.tavq.vantorelprefs-chatWallpaper.png"});

    const Bytes written = contents(kChatWallpaper);
    ASSERT_GE(written.size(), 3u);
    EXPECT_EQ(written[0], 0xFF);
    EXPECT_EQ(written[1], 0xD8);
    EXPECT_EQ(written[2], 0xFF);
    EXPECT_EQ(written, *UIImageJPEGRepresentation(image, 0.0));
    EXPECT_LT(written.size(), UIImageJPEGRepresentation(image, 1.0)->size());

    auto preview = property<UIImageView>(cell, "imagePreview");
    ASSERT_TRUE(preview && preview->image());
    EXPECT_EQ(preview->image()->size().width, 160);
    EXPECT_EQ(cell->accessoryView().get(), preview.get());
}

TEST_F(ImagePickerCell, ASecondPickReplacesTheFirstAndCancelKeepsIt) {
    showWallpaperRow();
    pick(photo(40, 30, 1));
    const Bytes first = contents(kChatWallpaper);
    rt::Ref<UIImage> second = photo(30, 40, 2);
    pick(second);
    const Bytes replaced = contents(kChatWallpaper);
    EXPECT_NE(replaced, first);
    EXPECT_EQ(replaced, *UIImageJPEGRepresentation(second, 0.0));

    rt::Ref<UIImagePickerController> picker = tap();
    ASSERT_TRUE(picker);
    picker->_cancel();
    EXPECT_FALSE(m_page->presentedViewController());
    EXPECT_EQ(contents(kChatWallpaper), replaced);
    EXPECT_EQ(preferenceFiles().size(), 1u);
}

// The old file stays until the new one has been written whole: a write
// that fails keeps the previous wallpaper rather than leaving none.
TEST_F(ImagePickerCell, AFailedWriteKeepsThePreviousWallpaper) {
    rt::Ref<PSTableCell> cell = showWallpaperRow();
    pick(photo(40, 30, 1));
    const Bytes previous = contents(kChatWallpaper);
    ASSERT_FALSE(previous.empty());
    const rt::Ref<UIImage> larger = photo(400, 300, 3);

    // A file size limit stops any write, whoever runs the test.
    {
        struct rlimit saved {};
        ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
        auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        struct rlimit tight = saved;
        tight.rlim_cur = 64;
        ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &tight), 0);
        pick(larger);
        setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, oldHandler);
    }
    EXPECT_EQ(contents(kChatWallpaper), previous);
    EXPECT_EQ(preferenceFiles().size(), 1u); // no temporary left behind
    auto preview = property<UIImageView>(cell, "imagePreview");
    ASSERT_TRUE(preview->image());
    EXPECT_EQ(preview->image()->size().width, 40);

    // A folder that cannot be written to (root writes anyway).
    if (geteuid() != 0) {
        fs::permissions(host(kFolder), fs::perms::owner_read | fs::perms::owner_exec);
        pick(larger);
        fs::permissions(host(kFolder), fs::perms::owner_all);
        EXPECT_EQ(contents(kChatWallpaper), previous);
    }
}

TEST_F(ImagePickerCell, RowsNamingNoFileAndPicksWithoutAPictureWriteNothing) {
    for (const char* missing : {"defaults", "key"}) {
        PlistDictionary fields{{"cell", "PSButtonCell"},
                               {"cellClass", "PQImagePickerCell"},
                               {"title", "Choose Wallpaper"},
                               {"defaults", kDomain},
                               {"key", "chatWallpaper"}};
        fields.erase(missing);
        rt::Ref<PSTableCell> cell = show(fields);
        EXPECT_FALSE(property<UIImageView>(cell, "imagePreview")->image()) << missing;
        pick(photo(20, 20, 1));
        EXPECT_TRUE(preferenceFiles().empty()) << missing;
    }

    // An info dictionary without the original picture.
    rt::Ref<PSTableCell> cell = showWallpaperRow();
    rt::Ref<UIImagePickerController> picker = tap();
    ASSERT_TRUE(picker);
    rt::send<void(UIImagePickerController*, const UIImagePickerControllerInfo&)>(
        cell, rt::sel<"imagePickerController:didFinishPickingMediaWithInfo:">(), picker,
        UIImagePickerControllerInfo{
            {"UIImagePickerControllerEditedImage", rt::Ref<NSObject>(photo(8, 8, 1))}});
    EXPECT_TRUE(preferenceFiles().empty());
    EXPECT_FALSE(m_page->presentedViewController());
}

TEST_F(ImagePickerCell, ThePreviewShowsAFileAlreadyThereDecodedByContent) {
    rt::Ref<UIImage> image = photo(12, 9, 4);
    ASSERT_TRUE(
        NSFileManager::defaultManager()->createFileAtPath(kChatWallpaper, *UIImagePNGRepresentation(image)));
    rt::Ref<PSTableCell> cell = showWallpaperRow();
    auto preview = property<UIImageView>(cell, "imagePreview");
    ASSERT_TRUE(preview->image());
    EXPECT_EQ(preview->image()->size().height, 9);
}
