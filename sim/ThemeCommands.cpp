// `theme`: sharing a look as one file, and the project's own presets.
#include "Command.h"
#include "EngineKeys.h"
#include "ScreenSheet.h"
#include "ScreenshotFile.h"
#include "SimError.h"
#include "ThemeActions.h"
#include "ThemeFile.h"
#include "ThemePackage.h"
#include "ThemePreview.h"
#include "ThemeStore.h"
#include "Wallpapers.h"

#include <Foundation/PrintableText.h>

#include <cstdio>
#include <filesystem>
#include <memory>

namespace sim {

namespace fs = std::filesystem;

namespace {

struct ThemeOptions {
    std::string file;
    std::string name;
    std::string author;
    std::string note;
    bool withWallpapers = false;
    bool replace = false;
};

ThemeStore::Mode modeOf(const ThemeOptions& o) {
    return o.replace ? ThemeStore::Mode::replace : ThemeStore::Mode::merge;
}

// Names, notes and keys come from theme files: printed so they cannot act on the terminal.
std::string printable(const std::string& text) {
    return ns::PrintableText::escaped(text);
}

// Every problem on its own line, then exit status 2 with nothing written.
Theme readChecked(const std::string& path, const std::string& shown) {
    return ThemeActions::readChecked(path, shown, "nothing written");
}

std::string shownValue(const std::optional<ns::PlistValue>& value) {
    if (!value)
        return "(not set)";
    if (value->isData())
        return std::to_string(value->asData()->size()) + " bytes";
    return value->description();
}

void exportTheme(const ThemeOptions& o) {
    ThemeActions::Export exported = ThemeActions::exportNamed(
        o.name.empty() ? fs::path(o.file).stem().string() : o.name, o.withWallpapers);
    Theme& theme = exported.theme;
    if (!o.author.empty())
        theme.author = o.author;
    if (!o.note.empty())
        theme.note = o.note;
    for (const std::string& reason : exported.leftOut)
        std::fprintf(stderr, "vantorel-sim: left out: %s\n", printable(reason).c_str());
    if (auto written = ThemeFile::write(o.file, theme); !written.ok())
        throw SimError("cannot write " + o.file + ": " + written.error());
    std::printf("exported '%s': %zu keys, %zu wallpaper%s to %s\n", printable(theme.name).c_str(),
                theme.values.size(), theme.wallpapers.size(), theme.wallpapers.size() == 1 ? "" : "s",
                printable(o.file).c_str());
}

void importTheme(const Theme& theme, ThemeStore::Mode mode) {
    ThemeStore::Imported imported = ThemeStore::import(theme, mode);
    std::printf("imported '%s': %zu keys set, %zu removed, %zu wallpaper%s written\n",
                printable(theme.name).c_str(), imported.keysSet, imported.keysRemoved,
                imported.wallpapersWritten, imported.wallpapersWritten == 1 ? "" : "s");
    if (!imported.removedFromCopy.empty()) {
        std::string keys;
        for (const std::string& key : imported.removedFromCopy)
            keys += (keys.empty() ? "" : ", ") + key;
        std::printf("removed from Messages' copy too (the sync never removes keys): %s\n",
                    printable(keys).c_str());
    }
    for (const Wallpapers::Slot& slot : Wallpapers::kSlots) {
        auto on = theme.values.find(slot.switchKey);
        if (on != theme.values.end() && on->second.boolValue() && !theme.wallpapers.count(slot.name))
            std::printf("note: the theme switches %s on but carries no picture; the device's own is used\n",
                        slot.switchKey);
    }
    std::printf("apply to see it: vantorel-sim respring (or: settings apply --yes)\n");
}

void diffTheme(const Theme& theme, ThemeStore::Mode mode) {
    std::vector<ThemeStore::Change> changes = ThemeStore::changes(theme, mode);
    if (changes.empty()) {
        std::printf("no change\n");
        return;
    }
    for (const ThemeStore::Change& change : changes) {
        std::string line = change.what + ": " + shownValue(change.before) + " -> " + shownValue(change.after);
        const PreferenceKey* key = EngineKeys::find(change.what);
        if (key && change.before && change.after) {
            auto before = EngineKeys::normalised(*key, *change.before);
            if (before.ok() && before.value() == *change.after)
                line += " (same value, other spelling)";
        }
        std::printf("%s\n", printable(line).c_str());
    }
}

} // namespace

void addThemeCommands(cli::App& app, Command& command) {
    auto options = std::make_shared<ThemeOptions>();
    cli::App* theme = app.add_subcommand("theme", "Share a look as one file; built-in presets");
    theme->require_subcommand(1);

    cli::App* exportVerb =
        theme->add_subcommand("export", "Write the engine's stored values (and wallpapers) to FILE");
    exportVerb->add_option("FILE", options->file)->required();
    exportVerb->add_flag("--with-wallpapers", options->withWallpapers, "Embed the two wallpapers");
    exportVerb->add_option("--name", options->name, "Theme name (default: the file's name)");
    exportVerb->add_option("--author", options->author, "Who made it");
    exportVerb->add_option("--note", options->note, "A line about it");
    exportVerb->callback([&command, options] {
        command.device();
        exportTheme(*options);
    });

    cli::App* importVerb =
        theme->add_subcommand("import", "Check FILE, then write its values and wallpapers to the device");
    importVerb->add_option("FILE", options->file)->required();
    importVerb->add_flag("--replace", options->replace,
                         "Also remove the engine's keys the theme does not set");
    importVerb->callback([&command, options] {
        command.device();
        importTheme(readChecked(options->file, options->file), modeOf(*options));
    });

    cli::App* diffVerb = theme->add_subcommand("diff", "Show key by key what importing FILE would change");
    diffVerb->add_option("FILE", options->file)->required();
    diffVerb->add_flag("--replace", options->replace, "As import --replace would");
    diffVerb->callback([&command, options] {
        command.device();
        diffTheme(readChecked(options->file, options->file), modeOf(*options));
    });

    auto shot = std::make_shared<ScreenshotFile::Options>();
    cli::App* preview = theme->add_subcommand(
        "preview", "Draw Messages' screens under FILE on one sheet, leaving the device as it is");
    preview->add_option("FILE", options->file)->required();
    preview->add_flag("--replace", options->replace, "As import --replace would");
    ScreenshotFile::addOptions(preview, *shot, "THEME-preview.png");
    preview->callback([&command, options, shot, preview] {
        command.allowBothAppearances();
        const Device& device = command.device();
        const double scale = preview->count("--scale") ? shot->scale : ScreenSheet::kDefaultScale;
        const std::vector<std::string> looks = command.looks();
        ScreenSheet::checkFits("theme preview", looks.size(), scale);
        const std::string file = ScreenshotFile::path(
            "theme preview", *shot, fs::path(options->file).stem().string() + "-preview.png");
        const Theme checked = readChecked(options->file, options->file);
        ThemePreview::write(device, checked, modeOf(*options), file, scale, looks);
        std::printf("%s\n", file.c_str());
    });

    addThemePackageCommand(*theme);

    cli::App* presets =
        theme->add_subcommand("presets", "List the built-in themes and those packages installed");
    presets->callback([&command] {
        for (const fs::path& file : ThemeActions::presetFiles())
            std::printf("%-16s %s\n", printable(file.stem().string()).c_str(),
                        printable(ThemeActions::about(file)).c_str());
        const Device& device = command.device(Command::DeviceState::mayBeNew);
        for (const ThemePackage::Installed& installed : ThemeActions::installedThemes(device))
            std::printf("%-16s %s (package %s)\n", printable(installed.name).c_str(),
                        printable(ThemeActions::about(device.hostPath(installed.file))).c_str(),
                        installed.package.empty() ? "none" : printable(installed.package).c_str());
    });

    cli::App* apply = theme->add_subcommand("apply", "Import a built-in theme (see: theme presets)");
    apply->add_option("PRESET", options->file, "Preset name")->required();
    apply->add_flag("--replace", options->replace, "Also remove the engine's keys the preset does not set");
    apply->callback([&command, options] {
        command.device();
        const fs::path file = ThemeActions::findPreset(command.device(), options->file);
        importTheme(readChecked(file.string(), options->file), modeOf(*options));
    });
}

} // namespace sim
