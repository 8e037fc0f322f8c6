#pragma once
// Names the engine, the settings pane and the command line agree on, defined
// once for all three.
#include <array>
#include <string>
#include <string_view>

// The preference domain: the ID of every store call, and the name of the
// preference file and the wallpapers beside it.
inline constexpr const char* kPreferenceDomain = "com.tavq.vantorelprefs";
// Where the settings pane keeps the user's preference files.
inline constexpr const char* kPreferencesFolder = "/var/mobile/Library/Preferences/";
// The Messages app, the only process the engine themes.
inline constexpr const char* kMessagesBundleIdentifier = "com.apple.MobileSMS";
// The engine's filter plist beside its library, and the pane's bundle folder.
inline constexpr const char* kEngineFilterFile = "Vantorel.plist";
inline constexpr const char* kPaneBundleFolder = "VantorelPrefs.bundle";
// The two wallpaper images the pane stores and the engine draws.
inline constexpr std::array<const char*, 2> kWallpaperSlots{"chatWallpaper", "conversationWallpaper"};

// A domain's preference file, in the preferences folder or a container's Documents.
inline std::string preferenceFileName(std::string_view domain = kPreferenceDomain) {
    return std::string(domain) + ".plist";
}

// A wallpaper image beside the preference file: "<domain>-<slot>.png".
inline std::string wallpaperFileName(std::string_view slot, std::string_view domain = kPreferenceDomain) {
    return std::string(domain) + "-" + std::string(slot) + ".png";
}
