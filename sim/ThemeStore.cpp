#include "ThemeStore.h"

#include "EngineKeys.h"
#include "Installation.h"
#include "PQPrefs.h"
#include "SimError.h"
#include "Wallpapers.h"

#include <Foundation/NSFileManager.h>
#include <Foundation/PlistFile.h>

namespace sim {

namespace {

std::string preferencesPath() {
    return PQPrefs::shared()->pathForID(kPreferenceDomain);
}

// Nothing stored yet reads as empty; a file that is there but cannot be read
// stops the caller, which would otherwise replace it with the theme alone.
ns::PlistDictionary readPreferences() {
    const std::string path = preferencesPath();
    if (!NSFileManager::defaultManager()->fileExistsAtPath(path))
        return {};
    auto file = ns::PlistFile::readDictionary(path);
    if (!file.ok())
        throw SimError("the preference file cannot be read (" + file.error() +
                       "); nothing written (see: vantorel-sim doctor)");
    return std::move(file.value());
}

std::optional<ns::PlistValue> wallpaperBytes(const Wallpapers::Slot& slot) {
    auto bytes = NSFileManager::defaultManager()->contentsAtPath(Wallpapers::sourcePath(slot));
    if (!bytes)
        return std::nullopt;
    return ns::PlistValue(std::move(*bytes));
}

} // namespace

ThemeStore::Exported ThemeStore::exportTheme(bool withWallpapers) {
    Exported exported;
    ns::PlistDictionary stored = readPreferences();
    for (const PreferenceKey& key : kEngineKeys) {
        auto it = stored.find(std::string(key.key));
        if (it == stored.end())
            continue;
        auto value = EngineKeys::normalised(key, it->second);
        if (value.ok())
            exported.theme.values[it->first] = value.value();
        else
            exported.leftOut.push_back(value.error());
    }
    if (!withWallpapers)
        return exported;
    for (const Wallpapers::Slot& slot : Wallpapers::kSlots) {
        auto bytes = wallpaperBytes(slot);
        if (!bytes)
            continue;
        if (auto why = Wallpapers::problem(*bytes->asData()))
            exported.leftOut.push_back(std::string("wallpaper ") + slot.name + ": " + *why);
        else
            exported.theme.wallpapers[slot.name] = *bytes->asData();
    }
    return exported;
}

std::vector<ThemeStore::Change> ThemeStore::changes(const Theme& theme, Mode mode) {
    std::vector<Change> changes;
    ns::PlistDictionary stored = readPreferences();
    for (const PreferenceKey& key : kEngineKeys) {
        const std::string name(key.key);
        auto now = stored.find(name);
        auto next = theme.values.find(name);
        std::optional<ns::PlistValue> before;
        if (now != stored.end())
            before = now->second;
        std::optional<ns::PlistValue> after = before;
        if (next != theme.values.end())
            after = next->second;
        else if (mode == Mode::replace)
            after.reset();
        if (before != after)
            changes.push_back({name, before, after});
    }
    for (const Wallpapers::Slot& slot : Wallpapers::kSlots) {
        auto next = theme.wallpapers.find(slot.name);
        if (next == theme.wallpapers.end())
            continue;
        std::optional<ns::PlistValue> before = wallpaperBytes(slot);
        ns::PlistValue after(next->second);
        if (!before || !(*before == after))
            changes.push_back({slot.name, before, after});
    }
    return changes;
}

ThemeStore::Imported ThemeStore::import(const Theme& theme, Mode mode) {
    Imported imported;
    (void)readPreferences(); // refuses a file that exists but cannot be read
    NSFileManager* files = NSFileManager::defaultManager();
    for (const auto& [name, bytes] : theme.wallpapers) {
        const Wallpapers::Slot* slot = Wallpapers::find(name);
        if (!slot || !files->createFileAtPath(Wallpapers::sourcePath(*slot), bytes))
            throw SimError("could not write the wallpaper " + name + "; the settings were not changed");
        ++imported.wallpapersWritten;
    }
    // One read-modify-write under the file's lock, so a change made meanwhile is kept.
    std::vector<std::string> cleared;
    auto written = ns::PlistFile::updateDictionary(preferencesPath(), [&](ns::PlistDictionary& stored) {
        cleared.clear();
        imported.keysRemoved = imported.keysSet = 0;
        if (mode == Mode::replace)
            for (const PreferenceKey& key : kEngineKeys) {
                const std::string name(key.key);
                if (!theme.values.count(name) && stored.erase(name)) {
                    cleared.push_back(name);
                    ++imported.keysRemoved;
                }
            }
        for (const auto& [key, value] : theme.values) {
            stored[key] = value;
            ++imported.keysSet;
        }
    });
    if (!written.ok())
        throw SimError("could not write the preference file: " + written.error());

    // SpringBoard's sync only adds and overwrites: a key cleared here would
    // stay in Messages' copy for good.
    if (cleared.empty())
        return imported;
    std::string documents;
    try {
        documents = Installation::messagesContainer() + "Documents/";
    } catch (const SimError&) {
        return imported; // no Messages, no copy
    }
    const std::string copyPath = documents + preferenceFileName();
    if (!files->fileExistsAtPath(copyPath))
        return imported;
    if (!ns::PlistFile::readDictionary(copyPath).ok())
        return imported; // the next sync replaces what cannot be read
    std::vector<std::string> removed;
    auto updated = ns::PlistFile::updateDictionary(copyPath, [&](ns::PlistDictionary& copy) {
        removed.clear();
        for (const std::string& key : cleared)
            if (copy.erase(key))
                removed.push_back(key);
    });
    if (updated.ok())
        imported.removedFromCopy = removed;
    return imported;
}

} // namespace sim
