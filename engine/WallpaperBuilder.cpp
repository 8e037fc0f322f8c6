#include "WallpaperBuilder.h"

#include "ProductIdentity.h"
#include "UIViewExtension.h"
#include "VRPrefs.h"

#include <Foundation/NSPathUtilities.h>
#include <UIKit/UIImageView.h>

std::string WallpaperBuilder::imagePath(const char* imageKey) {
    const std::vector<std::string> folders =
        NSSearchPathForDirectoriesInDomains(NSDocumentDirectory, NSUserDomainMask, YES);
    const std::string documents = folders.empty() ? std::string() : folders.back();
    return documents + "/" + wallpaperFileName(imageKey);
}

rt::Ref<UIVisualEffectView> WallpaperBuilder::fill(UIView* wallpaper, const WallpaperKeys& keys) {
    wallpaper->setClipsToBounds(YES);
    rt::Ref<UIImageView> image = rt::make<UIImageView>();
    image->initWithFrame(wallpaper->bounds());
    image->setClipsToBounds(YES);
    image->setContentMode(UIViewContentModeScaleAspectFill);
    // Decoded by content: the pane stores JPEG data under this name.
    image->setImage(UIImage::imageWithContentsOfFile(imagePath(keys.imageKey)));
    wallpaper->addSubview(image);

    const VRPrefs& prefs = *VRPrefs::shared();
    if (!prefs.boolForKey(keys.blurSwitch.name(), keys.blurSwitch.onByDefault(), kPreferenceDomain))
        return nullptr;
    rt::Ref<UIVisualEffectView> blur = rt::make<UIVisualEffectView>();
    wallpaper->addSubview(blur);
    UIViewExtension(blur).fill();
    const auto style = wallpaperBlurStyle(
        prefs.integerForKey(keys.blurStyle.name(), kDefaultWallpaperBlurStyle, kPreferenceDomain));
    if (style)
        blur->setEffect(UIBlurEffect::effectWithStyle(*style));
    return blur;
}
