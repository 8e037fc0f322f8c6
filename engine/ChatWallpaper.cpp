#include "ChatWallpaper.h"

#include "WallpaperBuilder.h"

RT_DEFINE_CLASS(ChatWallpaper, nullptr)

id ChatWallpaper::initWithFrameImpl(CGRect frame) {
    if (!initWithFrameSuper(frame))
        return nullptr;
    setBlurEffectView(WallpaperBuilder::fill(this, kKeys));
    return this;
}
