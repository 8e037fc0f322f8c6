#pragma once
#include "ThemeFile.h"

#include <filesystem>
#include <string>
#include <vector>

namespace sim {

// The `theme` verbs' work, shared with the preview page.
class ThemeActions {
  public:
    // The built-in themes, sorted by name.
    static std::vector<std::filesystem::path> presetFiles();
    // The preset's file; a SimError listing the presets for an unknown name.
    static std::filesystem::path findPreset(const std::string& name);

    struct Export {
        Theme theme;
        std::vector<std::string> leftOut; // stored values the engine would misread, with the reason
    };
    // The stored values as a theme named `name`, stamped now.
    static Export exportNamed(const std::string& name, bool withWallpapers);
};

} // namespace sim
