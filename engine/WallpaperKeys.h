#pragma once
// What tells the two wallpapers apart: the keys they read.
#include "PreferenceKeys.h"

#include <UIKit/UIBlurEffect.h>

#include <array>
#include <cstdint>
#include <optional>
#include <utility>

struct WallpaperKeys {
    SwitchKey installSwitch; // puts the wallpaper behind its list
    const char* imageKey;    // the file "<Documents>/<domain>-<imageKey>.png"
    SwitchKey blurSwitch;
    StyleKey blurStyle; // a stored integer, mapped by kWallpaperBlurStyles
};

inline constexpr WallpaperKeys kConversationListWallpaperKeys{
    "enableConversationWallpaper", "conversationWallpaper", "enableConversationBlur",
    "conversationBlurStyle"};
inline constexpr WallpaperKeys kChatWallpaperKeys{"enableChatWallpaper", "chatWallpaper", "enableChatBlur",
                                                  "chatBlurStyle"};

// A stored blur style is read with this default.
inline constexpr std::int64_t kDefaultWallpaperBlurStyle = 1;

// Stored blur style to the platform's: light, dark, system material.
inline constexpr std::array<std::pair<std::int64_t, UIBlurEffectStyle>, 3> kWallpaperBlurStyles{{
    {0, UIBlurEffectStyleLight},
    {1, UIBlurEffectStyleDark},
    {2, UIBlurEffectStyleSystemMaterial},
}};

// Any other stored value has no style: the blur view shows nothing.
constexpr std::optional<UIBlurEffectStyle> wallpaperBlurStyle(std::int64_t stored) {
    for (const auto& [value, style] : kWallpaperBlurStyles)
        if (value == stored)
            return style;
    return std::nullopt;
}
