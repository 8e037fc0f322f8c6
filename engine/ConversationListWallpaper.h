#pragma once
#include "WallpaperKeys.h"

#include <UIKit/UIVisualEffectView.h>

// The picture behind the conversation list, optionally blurred; made once each time
// its list loads, as the list's background view.
#define CONVERSATIONLISTWALLPAPER_PROPERTIES(P)                                                              \
    P(rt::Ref<UIVisualEffectView>, blurEffectView, setBlurEffectView, {})

class ConversationListWallpaper : public UIView {
    RT_OBJECT(ConversationListWallpaper, UIView)
    RT_PROPERTIES(CONVERSATIONLISTWALLPAPER_PROPERTIES)

    static constexpr const WallpaperKeys& kKeys = kConversationListWallpaperKeys;
};
