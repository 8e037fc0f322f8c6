#include "ThemeActions.h"

#include "Device.h"
#include "PackageDatabase.h"
#include "SimError.h"
#include "ThemeStore.h"

#include <Foundation/PrintableText.h>

#include <cstdio>

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

std::vector<ThemePackage::Installed> ThemeActions::installedThemes(const Device& device) {
    PackageDatabase database(device);
    if (!device.exists() || !database.exists())
        return {};
    return ThemePackage::installed(database.adminFolder());
}

// Only listed names are taken, so a name can never lead to another file.
fs::path ThemeActions::findPreset(const Device& device, const std::string& name) {
    for (const fs::path& file : presetFiles())
        if (file.stem().string() == name)
            return file;
    const std::vector<ThemePackage::Installed> installed = installedThemes(device);
    for (const ThemePackage::Installed& theme : installed)
        if (theme.name == name)
            return device.hostPath(theme.file);
    std::string names;
    for (const fs::path& preset : presetFiles())
        names += (names.empty() ? "" : ", ") + preset.stem().string();
    for (const ThemePackage::Installed& theme : installed)
        names += ", " + theme.name;
    throw SimError("no preset '" + name + "' (presets: " + names + ")");
}

std::string ThemeActions::about(const fs::path& file) {
    ThemeFile::Checked checked = ThemeFile::read(file.string());
    std::string about = checked.problems.empty() ? checked.theme.name : "(unreadable)";
    if (checked.problems.empty() && checked.theme.note)
        about += ": " + *checked.theme.note;
    return about;
}

Theme ThemeActions::readChecked(const std::string& path, const std::string& shown, const char* outcome) {
    std::error_code error;
    const fs::file_status status = fs::status(path, error);
    if (!fs::exists(status))
        throw SimError(shown + ": no such theme file");
    if (fs::is_directory(status))
        throw SimError(shown + ": is a folder, not a theme file");
    if (!fs::is_regular_file(status))
        throw SimError(shown + ": is not a regular file (a FIFO or a device), not a theme file");
    ThemeFile::Checked checked = ThemeFile::read(path);
    if (checked.problems.empty())
        return checked.theme;
    // Names and problems come from the file: printed so they cannot act on the terminal.
    const std::string name = ns::PrintableText::escaped(shown);
    for (const std::string& problem : checked.problems)
        std::fprintf(stderr, "vantorel-sim: %s: %s\n", name.c_str(),
                     ns::PrintableText::escaped(problem).c_str());
    std::fprintf(stderr, "vantorel-sim: %s: %zu problem%s, %s\n", name.c_str(), checked.problems.size(),
                 checked.problems.size() == 1 ? "" : "s", outcome);
    throw ReportedFailure();
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
