#include "MessagesCopy.h"

#include "ProductIdentity.h"
#include "SimError.h"

#include <Foundation/DevicePath.h>
#include <Foundation/NSFileManager.h>
#include <Foundation/PlistFile.h>
#include <Foundation/PrintableText.h>
#include <MobileCoreServices/ApplicationRegistry.h>

#include <optional>
#include <string>
#include <unistd.h>

namespace sim {

namespace {

const std::string kDocumentPathKey = "messageDocumentPath";

std::string settingsPath() {
    return kPreferencesFolder + preferenceFileName();
}

// The user's settings, or nothing when there are none to copy.
std::optional<ns::PlistDictionary> userSettings() {
    auto settings = ns::PlistFile::readDictionary(settingsPath());
    if (!settings) {
        if (settings.kind() == ns::FailureKind::NotFound)
            return std::nullopt;
        throw IncompleteResult("the settings file cannot be read, so Messages keeps its last copy (" +
                               settings.error() + "; the next change of a setting replaces it)");
    }
    return std::move(settings.value());
}

// What the engine writes into the user's file itself does not count as a change by someone else.
ns::PlistDictionary withoutEngineKeys(ns::PlistDictionary settings) {
    settings.erase(kDocumentPathKey);
    return settings;
}

struct Verdict {
    enum class Kind { current, behind, broken } kind = Kind::current;
    std::string why;
};

Verdict check(const ns::PlistDictionary& settings) {
    auto remembered = settings.find(kDocumentPathKey);
    const bool known = remembered != settings.end() && remembered->second.isString() &&
                       remembered->second.stringValue() != "none" &&
                       NSFileManager::defaultManager()->fileExistsAtPath(remembered->second.stringValue());
    if (!known) {
        // Without a container to copy into there is nothing Messages could read;
        // with one, the engine's first sync must record it in the user's file.
        // (It records nothing, by design, when several applications claim Messages' identifier.)
        auto messages = mcs::ApplicationRegistry::find(kMessagesBundleIdentifier);
        if (!messages || !messages->dataContainer ||
            !NSFileManager::defaultManager()->fileExistsAtPath(*messages->dataContainer + "Documents"))
            return {};
        auto folder = ns::DevicePath::toHost(kPreferencesFolder);
        if (folder.ok() && ::access(folder.value().c_str(), W_OK) == 0)
            return {};
        return {Verdict::Kind::broken, "the respring could not record the Messages folder in " +
                                           settingsPath() +
                                           " (the Preferences folder is not writable), so Messages has no "
                                           "copy of the settings"};
    }
    const std::string copy = remembered->second.stringValue() + preferenceFileName();
    auto copied = ns::PlistFile::readDictionary(copy);
    if (!copied) {
        const bool missing = copied.kind() == ns::FailureKind::NotFound;
        return {missing ? Verdict::Kind::behind : Verdict::Kind::broken,
                "the respring left the Messages copy of the settings unwritten (" + copied.error() + ")"};
    }
    std::optional<std::string> differing;
    for (const auto& [key, value] : settings) {
        auto found = copied.value().find(key);
        if (found != copied.value().end() && found->second == value)
            continue;
        // The copy is a file too: a value no file can carry keeps the whole copy from being written.
        if (auto encoded = ns::PlistFile::encodeDictionary({{key, value}}, ns::PlistFile::Format::Xml);
            !encoded)
            return {Verdict::Kind::broken, "the setting \"" + ns::PrintableText::escaped(key) +
                                               "\" cannot reach Messages: " + encoded.failure().detail +
                                               " (the next change of a setting leaves it out of the settings "
                                               "file, keeping the old file aside)"};
        if (!differing)
            differing = key;
    }
    if (differing)
        return {Verdict::Kind::behind, "the respring left the Messages copy of the settings behind (\"" +
                                           ns::PrintableText::escaped(*differing) + "\" differs in " + copy +
                                           "; see: vantorel-sim log)"};
    return {};
}

} // namespace

void MessagesCopy::bringUpToDate(const std::function<void()>& respring, bool alreadyRan) {
    std::optional<ns::PlistDictionary> before = alreadyRan ? std::nullopt : userSettings();
    for (int attempt = 1;; ++attempt) {
        if (!alreadyRan || attempt > 1)
            respring();
        const auto settings = userSettings();
        if (!settings)
            return;
        const Verdict verdict = check(*settings);
        if (verdict.kind == Verdict::Kind::current)
            return;
        // A copy behind a file that another writer changed during the respring
        // is that writer's change, not a broken container: one more respring.
        const bool changedMeanwhile = !before || withoutEngineKeys(*before) != withoutEngineKeys(*settings);
        if (verdict.kind == Verdict::Kind::broken || !changedMeanwhile || attempt == kAttempts)
            throw IncompleteResult(verdict.why);
        before = settings;
    }
}

} // namespace sim
