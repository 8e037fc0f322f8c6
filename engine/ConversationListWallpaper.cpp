#include "ConversationListWallpaper.h"

#include "WallpaperBuilder.h"

RT_DEFINE_CLASS(ConversationListWallpaper, nullptr)

id ConversationListWallpaper::initWithFrameImpl(CGRect frame) {
    if (!initWithFrameSuper(frame))
        return nullptr;
    setBlurEffectView(WallpaperBuilder::fill(this, kKeys));
    return this;
}
