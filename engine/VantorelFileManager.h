#pragma once
#include <Foundation/PlistValue.h>

#include <optional>
#include <string>
#include <vector>

// Runs inside SpringBoard: finds the Messages data container once, remembers
// its Documents folder in the settings file, and mirrors the settings file and
// the two wallpapers into it on every launch. Holds no state of its own.
class VantorelFileManager {
  public:
    static VantorelFileManager* shared();

    // One sync; called on the main thread after SpringBoard has launched.
    void updatingSquad();
    // Scans the installed applications off the main thread; its completion
    // remembers the container and then copies.
    void fetchMessageAppPath();
    // Merges the settings and copies the wallpapers to the remembered folder.
    void copyingSquadValues();

    ns::PlistValue objectForKey(const std::string& key, const ns::PlistValue& defaultValue,
                                const std::string& path) const;
    void setObject(const ns::PlistValue& value, const std::string& key, const std::string& path) const;
    ns::PlistDictionary dictForPath(const std::string& path) const;
    // False for applications without a visible icon (the hidden list).
    bool hasIconAndVisible(const std::optional<std::string>& bundleIdentifier) const;

    // One application found by the scan: "bundleID" and "path" (its container).
    using ApplicationRecord = ns::PlistDictionary;
    // The scan's completion, on the main queue.
    void scanFinished(const std::vector<ApplicationRecord>& records);

  private:
    VantorelFileManager() = default;
    // The remembered Documents folder, or nothing when there is none usable.
    std::optional<std::string> rememberedDocumentsPath() const;
    enum class TargetLogging { logTarget, silent };
    void mergePreferences(const std::string& documentsPath, TargetLogging logging) const;
    void copyWallpapers(const std::string& documentsPath) const;
};
