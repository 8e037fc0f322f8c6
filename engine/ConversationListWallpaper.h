#pragma once
#include "WallpaperKeys.h"

#include <UIKit/UIVisualEffectView.h>

// The picture behind the conversation list, optionally blurred; made once each time
// its list loads, as the list's background view.
#define CONVERSATIONLISTWALLPAPER_PROPERTIES(P)                                                              \
    P(rt::Ref<UIVisualEffectView>, blurEffectView, setBlurEffectView, {})

#define CONVERSATIONLISTWALLPAPER_METHODS(M, O, C) O(initWithFrame)

class ConversationListWallpaper : public UIView {
    RT_OBJECT(ConversationListWallpaper, UIView)
    RT_PROPERTIES(CONVERSATIONLISTWALLPAPER_PROPERTIES)
    RT_METHODS(CONVERSATIONLISTWALLPAPER_METHODS)

  public:
    static constexpr const WallpaperKeys& kKeys = kConversationListWallpaperKeys;
};
