#pragma once
#include "ThemeFile.h"

#include <optional>
#include <string>
#include <vector>

namespace sim {

// Themes in and out of the device's settings, written as the pane writes them.
class ThemeStore {
  public:
    enum class Mode {
        merge,   // the theme's keys are set, every other key is kept
        replace, // the engine's keys the theme does not set are removed too
    };

    struct Exported {
        Theme theme;
        std::vector<std::string> leftOut; // stored values the engine would misread, with the reason
    };
    // The engine's keys the user has stored, and the wallpapers when asked.
    static Exported exportTheme(bool withWallpapers);

    struct Change {
        std::string what; // a key, or a wallpaper's slot name
        std::optional<ns::PlistValue> before;
        std::optional<ns::PlistValue> after;
    };
    // Key by key (then wallpaper by wallpaper), what importing would change.
    static std::vector<Change> changes(const Theme& theme, Mode mode);

    struct Imported {
        std::size_t keysSet = 0;
        std::size_t keysRemoved = 0;
        std::size_t wallpapersWritten = 0;
        std::vector<std::string> removedFromCopy; // cleared in Messages' copy as well
    };
    // One read-modify-write of the preference file, replaced in one step, and
    // the wallpapers where the pane writes them. Throws SimError and writes no
    // settings when the present file cannot be read: it would be lost.
    static Imported import(const Theme& theme, Mode mode);
};

} // namespace sim
