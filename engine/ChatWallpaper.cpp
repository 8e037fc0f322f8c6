#include "ChatWallpaper.h"

#include "WallpaperBuilder.h"

#include <objc/message.h>

RT_DEFINE_CLASS(ChatWallpaper, [](Class cls, Class) {
    class_addMethod(
        cls, rt::sel<"initWithFrame:">(), +[](id self, SEL cmd, CGRect frame) -> id {
            id made = rt::sendSuper<id(CGRect)>(self, ChatWallpaper::classObject(), cmd, frame);
            if (!made)
                return nullptr;
            auto* wallpaper = static_cast<ChatWallpaper*>(made);
            wallpaper->setBlurEffectView(WallpaperBuilder::fill(wallpaper, ChatWallpaper::kKeys));
            return made;
        });
})
