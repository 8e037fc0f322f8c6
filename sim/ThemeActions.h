#pragma once
#include "ThemeFile.h"
#include "ThemePackage.h"

#include <filesystem>
#include <string>
#include <vector>

namespace sim {

class Device;

// The `theme` verbs' work, shared with the preview page.
class ThemeActions {
  public:
    // The built-in themes, sorted by name.
    static std::vector<std::filesystem::path> presetFiles();
    // Themes installed by packages, on a device that has a package database.
    static std::vector<ThemePackage::Installed> installedThemes(const Device& device);
    // The preset's file (a built-in one first, then an installed one); a
    // SimError listing them all for an unknown name.
    static std::filesystem::path findPreset(const Device& device, const std::string& name);
    // A theme file's name and note, for listings.
    static std::string about(const std::filesystem::path& file);

    // The theme file at `path`, checked as an import checks it. A file that is
    // missing or no regular file is a SimError; otherwise every problem gets its
    // own line (file names and problems escaped), ending "N problems, `outcome`",
    // and ReportedFailure is thrown.
    static Theme readChecked(const std::string& path, const std::string& shown, const char* outcome);

    struct Export {
        Theme theme;
        std::vector<std::string> leftOut; // stored values the engine would misread, with the reason
    };
    // The stored values as a theme named `name`, stamped now.
    static Export exportNamed(const std::string& name, bool withWallpapers);
};

} // namespace sim
