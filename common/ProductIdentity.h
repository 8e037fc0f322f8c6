#pragma once
// Names the engine and the settings pane agree on, defined once for both.

// The preference domain: the ID of every store call, and the name of the
// preference file and the wallpapers beside it.
inline constexpr const char* kPreferenceDomain = "com.tavq.vantorelprefs";
// Where the settings pane keeps the user's preference files.
inline constexpr const char* kPreferencesFolder = "/var/mobile/Library/Preferences/";
// The Messages app, the only process the engine themes.
inline constexpr const char* kMessagesBundleIdentifier = "com.apple.MobileSMS";
