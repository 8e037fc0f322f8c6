#include "ConversationListWallpaper.h"

#include "WallpaperBuilder.h"

#include <objc/message.h>

RT_DEFINE_CLASS(ConversationListWallpaper, [](Class cls, Class) {
    class_addMethod(
        cls, rt::sel<"initWithFrame:">(), +[](id self, SEL cmd, CGRect frame) -> id {
            id made = rt::sendSuper<id(CGRect)>(self, ConversationListWallpaper::classObject(), cmd, frame);
            if (!made)
                return nullptr;
            auto* wallpaper = static_cast<ConversationListWallpaper*>(made);
            wallpaper->setBlurEffectView(WallpaperBuilder::fill(wallpaper, ConversationListWallpaper::kKeys));
            return made;
        });
})
