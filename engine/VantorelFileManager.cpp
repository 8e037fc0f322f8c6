#include "VantorelFileManager.h"

#include "HiddenApplications.h"
#include "PreferenceKeys.h"

#include <Foundation/NSFileManager.h>
#include <Foundation/NSLog.h>
#include <Foundation/PlistFile.h>
#include <MobileCoreServices/LSApplicationWorkspace.h>
#include <dispatch/dispatch.h>
#include <objc/message.h>

#include <algorithm>
#include <cctype>

namespace {

const std::string kSourceFolder = kPreferencesFolder;
const std::string kSourcePreferences = kSourceFolder + preferenceFileName();
const std::string kDocumentPathKey = "messageDocumentPath";
const std::string kNoPath = "none";
const std::string kMessagesIdentifier = kMessagesBundleIdentifier;
// What a record holds for an application that reports no data container.
const std::string kNoContainer = "/var/mobile/Documents";
// The scan runs at the low, background-class priority the device uses for it.
constexpr long kScanPriority = DISPATCH_QUEUE_PRIORITY_LOW;

std::string removingFileScheme(std::string text) {
    const std::string scheme = "file://";
    for (size_t at = text.find(scheme); at != std::string::npos; at = text.find(scheme, at))
        text.erase(at, scheme.size());
    return text;
}

bool containsIgnoringCase(const std::string& haystack, const std::string& needle) {
    auto lower = [](std::string s) {
        std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return std::tolower(c); });
        return s;
    };
    return lower(haystack).find(lower(needle)) != std::string::npos;
}

} // namespace

VantorelFileManager* VantorelFileManager::shared() {
    static dispatch_once_t once;
    static VantorelFileManager* instance;
    dispatch_once(&once, [] { instance = new VantorelFileManager; });
    return instance;
}

ns::PlistValue VantorelFileManager::objectForKey(const std::string& key, const ns::PlistValue& defaultValue,
                                                 const std::string& path) const {
    ns::PlistDictionary dictionary = dictForPath(path);
    auto it = dictionary.find(key);
    return it == dictionary.end() ? defaultValue : it->second;
}

void VantorelFileManager::setObject(const ns::PlistValue& value, const std::string& key,
                                    const std::string& path) const {
    (void)ns::PlistFile::updateDictionary(path,
                                          [&](ns::PlistDictionary& dictionary) { dictionary[key] = value; });
}

ns::PlistDictionary VantorelFileManager::dictForPath(const std::string& path) const {
    auto file = ns::PlistFile::readDictionary(path);
    return file.ok() ? std::move(file.value()) : ns::PlistDictionary{};
}

bool VantorelFileManager::hasIconAndVisible(const std::optional<std::string>& bundleIdentifier) const {
    if (!bundleIdentifier)
        return true;
    return std::find(kHiddenApplications.begin(), kHiddenApplications.end(), *bundleIdentifier) ==
           kHiddenApplications.end();
}

std::optional<std::string> VantorelFileManager::rememberedDocumentsPath() const {
    ns::PlistValue remembered = objectForKey(kDocumentPathKey, ns::PlistValue(kNoPath), kSourcePreferences);
    if (!remembered.isString() || remembered.stringValue() == kNoPath)
        return std::nullopt;
    // A container that moved (the app reinstalled or restored) leaves the old
    // folder behind: that counts as no path, so a new scan finds the new one.
    if (!NSFileManager::defaultManager()->fileExistsAtPath(remembered.stringValue()))
        return std::nullopt;
    return remembered.stringValue();
}

void VantorelFileManager::updatingSquad() {
    if (!NSFileManager::defaultManager()->fileExistsAtPath(kSourcePreferences))
        return;
    std::optional<std::string> documents = rememberedDocumentsPath();
    if (!documents) {
        fetchMessageAppPath();
        NSLog("no sms path");
        return;
    }
    NSLog("sms path exist");
    mergePreferences(*documents, TargetLogging::logTarget);
    copyWallpapers(*documents);
}

void VantorelFileManager::fetchMessageAppPath() {
    dispatch_async(dispatch_get_global_queue(kScanPriority, 0), [this] {
        std::vector<ApplicationRecord> records;
        // A private class: looked up by name, messaged through the runtime.
        id workspaceClass = objc_getClass("LSApplicationWorkspace");
        auto workspace =
            rt::send<rt::Ref<LSApplicationWorkspace>()>(workspaceClass, rt::sel<"defaultWorkspace">());
        auto applications = rt::send<LSApplicationProxies(unsigned long)>(
            workspace.get(), rt::sel<"applicationsOfType:">(), 1ul);
        for (const rt::Ref<LSApplicationProxy>& proxy : applications) {
            auto identifier =
                rt::send<std::optional<std::string>()>(proxy.get(), rt::sel<"bundleIdentifier">());
            if (!hasIconAndVisible(identifier))
                continue;
            auto container =
                rt::send<std::optional<std::string>()>(proxy.get(), rt::sel<"dataContainerURL">());
            records.push_back(
                {{"bundleID", ns::PlistValue(identifier.value_or(""))},
                 {"path", ns::PlistValue(container ? removingFileScheme(*container) : kNoContainer)}});
        }
        dispatch_async(dispatch_get_main_queue(),
                       [this, records = std::move(records)] { scanFinished(records); });
    });
}

void VantorelFileManager::scanFinished(const std::vector<ApplicationRecord>& records) {
    std::vector<const ApplicationRecord*> messages;
    for (const ApplicationRecord& record : records) {
        auto identifier = record.find("bundleID");
        if (identifier != record.end() &&
            containsIgnoringCase(identifier->second.stringValue(), kMessagesIdentifier))
            messages.push_back(&record);
    }
    if (messages.size() == 1) {
        std::string container = messages.front()->at("path").stringValue();
        // Messages without a container has no Documents folder to remember.
        if (container != kNoContainer)
            setObject(ns::PlistValue(container + "Documents/"), kDocumentPathKey, kSourcePreferences);
    }
    copyingSquadValues();
}

void VantorelFileManager::copyingSquadValues() {
    if (!NSFileManager::defaultManager()->fileExistsAtPath(kSourcePreferences))
        return;
    std::optional<std::string> documents = rememberedDocumentsPath();
    if (!documents)
        return;
    mergePreferences(*documents, TargetLogging::silent);
    copyWallpapers(*documents);
}

void VantorelFileManager::mergePreferences(const std::string& documentsPath, TargetLogging logging) const {
    ns::PlistDictionary source = dictForPath(kSourcePreferences);
    std::string targetPreferences = documentsPath + preferenceFileName();
    if (logging == TargetLogging::logTarget)
        NSLog(targetPreferences);
    // Only adds and overwrites: a key removed at the source keeps its last value.
    (void)ns::PlistFile::updateDictionary(targetPreferences, [&](ns::PlistDictionary& target) {
        for (const auto& [key, value] : source)
            target[key] = value;
    });
}

void VantorelFileManager::copyWallpapers(const std::string& documentsPath) const {
    NSFileManager* files = NSFileManager::defaultManager();
    for (const char* which : kWallpaperSlots) {
        std::string source = kSourceFolder + wallpaperFileName(which);
        std::string target = documentsPath + wallpaperFileName(which);
        // By content, and only from a regular file: a link or a FIFO in the
        // source's place is not copied. The new file replaces the old one in
        // one step, so a failed copy keeps the wallpaper Messages already has.
        const auto contents = files->contentsAtPath(source);
        if (!contents)
            continue;
        files->createFileAtPath(target, *contents);
    }
}
