#include "ThemeActions.h"

#include "SimError.h"
#include "ThemeStore.h"

#include <algorithm>
#include <chrono>

namespace sim {

namespace fs = std::filesystem;

std::vector<fs::path> ThemeActions::presetFiles() {
    std::vector<fs::path> files;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(VANTOREL_THEMES_FOLDER, error))
        if (entry.path().extension() == ".plist")
            files.push_back(entry.path());
    if (error)
        throw SimError(std::string("cannot list the presets in ") + VANTOREL_THEMES_FOLDER + ": " +
                       error.message());
    std::sort(files.begin(), files.end());
    return files;
}

fs::path ThemeActions::findPreset(const std::string& name) {
    for (const fs::path& file : presetFiles())
        if (file.stem().string() == name)
            return file;
    std::string names;
    for (const fs::path& preset : presetFiles())
        names += (names.empty() ? "" : ", ") + preset.stem().string();
    throw SimError("no preset '" + name + "' (presets: " + names + ")");
}

ThemeActions::Export ThemeActions::exportNamed(const std::string& name, bool withWallpapers) {
    ThemeStore::Exported exported = ThemeStore::exportTheme(withWallpapers);
    Export result{std::move(exported.theme), std::move(exported.leftOut)};
    result.theme.name = name;
    // Property-list dates count seconds from 2001-01-01 UTC; XML holds whole seconds.
    constexpr double kSecondsFrom1970To2001 = 978307200.0;
    const auto now = std::chrono::floor<std::chrono::seconds>(std::chrono::system_clock::now());
    result.theme.created =
        ns::PlistValue::Date{static_cast<double>(now.time_since_epoch().count()) - kSecondsFrom1970To2001};
    return result;
}

} // namespace sim
