#pragma once
#include "WallpaperKeys.h"

#include <UIKit/UIVisualEffectView.h>

// The picture behind the transcript, optionally blurred; made once each time
// its list loads, as the list's background view.
#define CHATWALLPAPER_PROPERTIES(P) P(rt::Ref<UIVisualEffectView>, blurEffectView, setBlurEffectView, {})

#define CHATWALLPAPER_METHODS(M, O, C) O(initWithFrame)

class ChatWallpaper : public UIView {
    RT_OBJECT(ChatWallpaper, UIView)
    RT_PROPERTIES(CHATWALLPAPER_PROPERTIES)
    RT_METHODS(CHATWALLPAPER_METHODS)

  public:
    static constexpr const WallpaperKeys& kKeys = kChatWallpaperKeys;
};
