#include "Doctor.h"

#include "EngineKeys.h"
#include "PQPrefs.h"
#include "Wallpapers.h"

#include <Foundation/NSFileManager.h>
#include <Foundation/PlistFile.h>
#include <MobileCoreServices/ApplicationRegistry.h>

#include <filesystem>
#include <fstream>

namespace sim {

namespace fs = std::filesystem;

namespace {

const char* const kEngineFolder = "/Library/MobileSubstrate/DynamicLibraries/";
const char* const kMessages = "com.apple.MobileSMS";
const char* const kDocumentPathKey = "messageDocumentPath";

using Verdict = Doctor::Verdict;

Doctor::Finding ok(std::string text) {
    return {Verdict::ok, std::move(text), {}};
}

std::string joined(const std::vector<std::string>& items, std::size_t most = 6) {
    std::string text;
    for (std::size_t i = 0; i < items.size() && i < most; ++i)
        text += (i ? ", " : "") + items[i];
    if (items.size() > most)
        text += " and " + std::to_string(items.size() - most) + " more";
    return text;
}

bool filterNames(const ns::PlistDictionary& filter, const char* bundle, const char* executable) {
    auto names = [&](const char* field, const char* name) {
        auto list = filter.find(field);
        if (list == filter.end() || !list->second.asArray())
            return false;
        for (const ns::PlistValue& item : *list->second.asArray())
            if (item.asString() && *item.asString() == name)
                return true;
        return false;
    };
    return names("Bundles", bundle) || names("Executables", executable);
}

// Why the pane's file is refused, in the words a user looks for.
std::string refusal(const std::string& error) {
    if (error.find("larger than") != std::string::npos)
        return "too large";
    if (error.find("nests deeper") != std::string::npos || error.find("expands to more") != std::string::npos)
        return "nested too deeply";
    if (error.find("does not hold a dictionary") != std::string::npos)
        return "not a dictionary";
    return "unreadable";
}

} // namespace

const char* Doctor::verdictName(Verdict verdict) {
    switch (verdict) {
    case Verdict::ok:
        return "ok";
    case Verdict::warning:
        return "warning";
    case Verdict::problem:
        break;
    }
    return "problem";
}

bool Doctor::exists(const std::string& devicePath) const {
    std::error_code error;
    return fs::exists(m_device.hostPath(devicePath), error);
}

std::vector<Doctor::Finding> Doctor::examine() {
    std::vector<Finding> findings{engine(),       preferenceFile(), keyKinds(),
                                  masterSwitch(), container(),      copy()};
    for (std::size_t slot = 0; slot < Wallpapers::kSlots.size(); ++slot)
        findings.push_back(wallpaper(slot));
    findings.push_back(lastSync());
    return findings;
}

Doctor::Finding Doctor::engine() const {
    const std::string fix = "vantorel-sim init (reinstalls the engine, keeps settings)";
    if (!exists(std::string(kEngineFolder) + "Vantorel.dylib"))
        return {Verdict::problem,
                "the engine is not installed (" + std::string(kEngineFolder) + "Vantorel.dylib)", fix};
    auto file = ns::PlistFile::readDictionary(std::string(kEngineFolder) + kEngineFilterFile);
    if (!file.ok())
        return {Verdict::problem, "the engine's loader filter cannot be read: " + file.error(), fix};
    auto filter = file.value().find("Filter");
    if (filter == file.value().end() || !filter->second.asDictionary())
        return {Verdict::problem, "the engine's loader filter has no Filter: the loader maps it nowhere",
                fix};
    if (!filterNames(*filter->second.asDictionary(), kMessages, "MobileSMS"))
        return {Verdict::problem, "the engine's loader filter does not name Messages: it never loads there",
                fix};
    if (!filterNames(*filter->second.asDictionary(), "com.apple.springboard", "SpringBoard"))
        return {Verdict::problem,
                "the engine's loader filter does not name SpringBoard: settings never reach Messages", fix};
    return ok("the engine is installed and its filter loads it into Messages and SpringBoard");
}

Doctor::Finding Doctor::preferenceFile() {
    const std::string path = PQPrefs::shared()->pathForID(kPreferenceDomain);
    m_settingsPresent = exists(path);
    if (!m_settingsPresent)
        return {Verdict::warning, "no preference file yet: every colour shows as black",
                "set colours in the pane, or: vantorel-sim theme apply PRESET"};
    auto file = ns::PlistFile::readDictionary(path);
    if (!file.ok())
        return {Verdict::problem,
                "the preference file is refused, " + refusal(file.error()) + ": " + file.error() +
                    " (the engine and the sync read it as empty)",
                "move it away and set the colours again, or import a theme: vantorel-sim theme import FILE"};
    m_settings = std::move(file.value());
    return ok("the preference file is readable (" + std::to_string(m_settings->size()) + " keys)");
}

Doctor::Finding Doctor::keyKinds() const {
    if (!m_settings)
        return ok("no stored values to check");
    // Misread: the engine gets something else than meant. Odd: stored as
    // another kind than the pane writes, but read as meant.
    std::vector<std::string> misread, odd;
    for (const auto& [key, value] : *m_settings) {
        const PreferenceKey* known = EngineKeys::find(key);
        if (!known)
            continue;
        if (auto read = EngineKeys::normalised(*known, value); !read.ok())
            misread.push_back(read.error());
        else if (auto why = EngineKeys::problem(*known, value))
            odd.push_back(*why + " (read as " + read.value().description() + ")");
    }
    if (misread.empty() && odd.empty())
        return ok("every engine key holds a value of its kind");
    const std::vector<std::string>& listed = misread.empty() ? odd : misread;
    std::string text = std::to_string(listed.size()) + (listed.size() == 1 ? " key holds" : " keys hold") +
                       " a value of the wrong kind: ";
    for (std::size_t i = 0; i < listed.size(); ++i)
        text += (i ? "; " : "") + listed[i];
    if (!misread.empty() && !odd.empty())
        text += "; and " + std::to_string(odd.size()) + " more stored oddly but read as meant";
    return {misread.empty() ? Verdict::warning : Verdict::problem, text,
            "set them again in the pane, or: vantorel-sim prefs remove KEY"};
}

Doctor::Finding Doctor::masterSwitch() const {
    if (!m_settings)
        return ok("enableVantorel is on (the default)");
    auto it = m_settings->find("enableVantorel");
    if (it == m_settings->end())
        return ok("enableVantorel is on (the default)");
    // The engine reads it through the store's number conversion.
    if (it->second.hasNumberConversion() && !it->second.boolValue())
        return {Verdict::problem, "enableVantorel is off: the engine installs nothing in Messages",
                "vantorel-sim settings set enableVantorel on, then: vantorel-sim settings apply --yes"};
    return ok("enableVantorel is on");
}

Doctor::Finding Doctor::container() {
    auto messages = mcs::ApplicationRegistry::find(kMessages);
    if (!messages)
        return {Verdict::problem, "Messages is not in the application registry: nothing can be themed",
                "vantorel-sim init"};
    if (!messages->dataContainer || !exists(*messages->dataContainer + "Documents"))
        return {Verdict::problem, "Messages has no data container with a Documents folder",
                "vantorel-sim init (creates the containers the registry names)"};
    m_documents = *messages->dataContainer + "Documents/";
    const std::string respring = "vantorel-sim respring";
    if (!m_settings)
        return {Verdict::warning,
                "the Messages container is found, not remembered: the sync needs the settings first",
                "write a setting, then: " + respring};
    auto remembered = m_settings->find(kDocumentPathKey);
    if (remembered == m_settings->end() || !remembered->second.isString() ||
        *remembered->second.asString() == "none")
        return {Verdict::warning, "the Messages container is not remembered yet (a respring finds it)",
                respring};
    std::string path = *remembered->second.asString();
    if (!path.empty() && path.back() != '/')
        path += '/';
    if (path == *m_documents)
        return ok("the Messages container is found and remembered (" + *m_documents + ")");
    bool gone = false;
    try {
        gone = !exists(path);
    } catch (const std::exception&) {
        gone = true; // leads outside the device: the engine cannot use it either
    }
    if (gone)
        return {Verdict::warning,
                "the remembered container " + path + " is gone; the next respring finds " + *m_documents,
                respring};
    return {Verdict::problem,
            "messageDocumentPath is " + path + ", not Messages' container " + *m_documents +
                ": settings are copied where Messages never reads",
            "vantorel-sim prefs remove messageDocumentPath, then: " + respring};
}

Doctor::Finding Doctor::copy() const {
    if (!m_documents)
        return ok("no Messages container to compare");
    const std::string path = *m_documents + preferenceFileName();
    const std::string respring = "vantorel-sim respring";
    if (!exists(path)) {
        if (m_settings && !m_settings->empty())
            return {Verdict::problem, "Messages has no copy of the settings yet: respring to apply",
                    respring};
        return ok("no settings and no copy in Messages");
    }
    auto file = ns::PlistFile::readDictionary(path);
    // A respring replaces a damaged file, but not a folder or FIFO in its place.
    if (!file.ok() && file.kind() == ns::FailureKind::NotRegularFile)
        return {Verdict::problem, "Messages' copy of the settings is not a file: " + file.error(),
                "remove " + m_device.hostPath(path).string() + ", then: " + respring};
    if (!file.ok())
        return {Verdict::problem, "Messages' copy of the settings cannot be read: " + file.error(), respring};
    const ns::PlistDictionary settings = m_settings.value_or(ns::PlistDictionary{});
    std::vector<std::string> behind, stale;
    for (const PreferenceKey& key : kEngineKeys) {
        const std::string name(key.key);
        auto source = settings.find(name);
        auto copied = file.value().find(name);
        if (source != settings.end() && (copied == file.value().end() || !(copied->second == source->second)))
            behind.push_back(name);
        else if (source == settings.end() && copied != file.value().end())
            stale.push_back(name);
    }
    if (!behind.empty())
        return {Verdict::problem,
                "Messages' copy is behind the settings: " + std::to_string(behind.size()) + " key" +
                    (behind.size() == 1 ? " differs" : "s differ") + " (" + joined(behind) +
                    "); respring to apply",
                respring};
    if (!stale.empty())
        return {Verdict::warning,
                "Messages' copy keeps keys removed from the settings (" + joined(stale) +
                    "); the sync never removes keys",
                "vantorel-sim prefs remove KEY --target"};
    return ok("Messages' copy matches the settings");
}

Doctor::Finding Doctor::wallpaper(std::size_t index) const {
    const Wallpapers::Slot& slot = Wallpapers::kSlots[index];
    const std::string name = slot.name;
    bool on = false;
    if (m_settings)
        if (auto it = m_settings->find(slot.switchKey); it != m_settings->end())
            on = it->second.hasNumberConversion() && it->second.boolValue();
    NSFileManager* files = NSFileManager::defaultManager();
    auto source = files->contentsAtPath(Wallpapers::sourcePath(slot));
    std::optional<std::vector<std::uint8_t>> copy;
    if (m_documents)
        copy = files->contentsAtPath(Wallpapers::copyPath(*m_documents, slot));
    const Verdict notShown = on ? Verdict::problem : Verdict::warning;
    if (source) {
        if (auto why = Wallpapers::problem(*source))
            return {notShown, name + " is not a picture (" + *why + ")",
                    "pick the wallpaper again in the pane"};
        if (m_documents && (!copy || *copy != *source))
            return {notShown,
                    name + (copy ? " differs from Messages' copy" : " is not in Messages' container yet") +
                        ": respring to apply",
                    "vantorel-sim respring"};
        return ok(name + (on ? " is on, and in place" : " is in place (switched off)"));
    }
    if (copy)
        return {
            Verdict::warning,
            name + " is gone from the settings but Messages still has its copy (the sync never removes it)",
            "remove " + Wallpapers::copyPath(*m_documents, slot) + (on ? "" : ", or leave it: it is off")};
    if (on)
        return {Verdict::problem, name + " is switched on without a picture",
                "pick one in the pane, or: vantorel-sim settings set " + std::string(slot.switchKey) +
                    " off"};
    return ok(name + " is off");
}

Doctor::Finding Doctor::lastSync() const {
    std::ifstream log(m_device.hostPath("/var/log/syslog"));
    std::vector<std::string> lines;
    std::optional<std::size_t> last;
    for (std::string line; std::getline(log, line);) {
        if (line.find(" SpringBoard[") == std::string::npos)
            continue;
        lines.push_back(line);
        if (line.ends_with("]: no sms path") || line.ends_with("]: sms path exist"))
            last = lines.size() - 1;
    }
    if (!last)
        return {Verdict::warning, "SpringBoard has not synced the settings since the log began",
                "vantorel-sim respring"};
    std::string text = "last sync: " + lines[*last];
    // After "sms path exist" the sync logs the copy it wrote.
    if (*last + 1 < lines.size() && lines[*last + 1].ends_with(".plist"))
        text += " / " + lines[*last + 1].substr(lines[*last + 1].find("]: ") + 3);
    return ok(text);
}

} // namespace sim
