#include "Installation.h"

#include "ConversationsFile.h"
#include "HostRunner.h"
#include "PackageDatabase.h"
#include "PackageManager.h"
#include "SimError.h"

#include <Foundation/DevicePath.h>
#include <Foundation/NSFileManager.h>
#include <Foundation/PlistFile.h>
#include <MobileCoreServices/ApplicationRegistry.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>

namespace sim {

namespace fs = std::filesystem;

namespace {

const char* const kMessages = "com.apple.MobileSMS";

// What the registry lists on a new device. Type 1 are system applications.
struct KnownApplication {
    const char* bundleIdentifier;
    long type;
    bool hasContainer;
};
const KnownApplication kApplications[] = {
    {"com.apple.MobileSMS", 1, true},   {"com.apple.mobilesms.compose", 1, true},
    {"com.apple.Preferences", 1, true}, {"com.apple.mobilesafari", 1, true},
    {"com.apple.mobilenotes", 1, true}, {"com.apple.InCallService", 1, false},
    {"com.apple.Spotlight", 1, true},   {"com.example.weather", 0, true},
};

std::string newContainerPath() {
    std::random_device random;
    std::uniform_int_distribution<int> digit(0, 15);
    std::string uuid;
    for (int length : {8, 4, 4, 4, 12}) {
        if (!uuid.empty())
            uuid += '-';
        for (int i = 0; i < length; ++i)
            uuid += "0123456789ABCDEF"[digit(random)];
    }
    return "/var/mobile/Containers/Data/Application/" + uuid + "/";
}

void writeIntoDevice(const std::vector<std::uint8_t>& bytes, const std::string& devicePath, fs::perms mode) {
    // A new file renamed into place: whatever stood there, a link included, is
    // replaced, never written through.
    if (!NSFileManager::defaultManager()->createFileAtPath(devicePath, bytes))
        throw SimError("cannot write " + devicePath + " into the device (is its disk full or read-only?)");
    std::error_code error;
    fs::permissions(ns::DevicePath::toHost(devicePath, ns::DevicePath::FinalLink::Replace).value(), mode,
                    error);
    if (error)
        throw SimError("cannot set the mode of " + devicePath + ": " + error.message());
}

} // namespace

void Installation::copyIntoDevice(const fs::path& from, const std::string& devicePath) {
    std::ifstream in(from, std::ios::binary);
    if (!in)
        throw SimError("cannot install " + from.string() + ": it is missing (run make first)");
    const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in), {}};
    if (in.bad())
        throw SimError("cannot read " + from.string());
    std::error_code error;
    const fs::perms mode = fs::status(from, error).permissions() & fs::perms::all;
    writeIntoDevice(bytes, devicePath, error ? fs::perms(0644) : mode);
}

std::string Installation::installProduct(const Device& device) {
    PackageDatabase(device).layOut();
    const fs::path package =
        fs::path(HostRunner::programFolder()).parent_path() / "packages" / VANTOREL_PACKAGE_FILENAME;
    std::error_code error;
    if (!fs::is_regular_file(package, error))
        throw SimError("cannot install the product: " + package.string() + " is missing (run make first)");
    // Two inits of one device take turns rather than fail.
    const auto installed = PackageManager(device, std::chrono::seconds(60)).install({package.string()});
    return installed.front().name + " " + installed.front().version;
}

void Installation::installSystemPrograms(const Device& device) {
    // A respring runs the device's killall, which restarts backboardd and
    // SpringBoard from the same build. A launcher inside the device rather
    // than a link out of it.
    (void)device;
    std::string target = (fs::path(HostRunner::programFolder()) / "killall").string();
    std::string quoted = "'";
    for (const char c : target)
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    const std::string script = "#!/bin/sh\nexec " + quoted + "' \"$@\"\n";
    writeIntoDevice(std::vector<std::uint8_t>(script.begin(), script.end()), "/usr/bin/killall",
                    fs::perms(0755));
}

void Installation::createApplications(const Device& device) {
    std::vector<mcs::ApplicationRegistry::Application> applications = mcs::ApplicationRegistry::read();
    if (applications.empty()) {
        for (const KnownApplication& known : kApplications)
            applications.push_back({known.bundleIdentifier, known.type,
                                    known.hasContainer ? std::optional(newContainerPath()) : std::nullopt});
        std::error_code error;
        fs::create_directories(device.hostPath("/var/mobile/Library/MobileInstallation"), error);
        if (!mcs::ApplicationRegistry::write(applications))
            throw SimError("cannot write the application registry");
    }
    for (const auto& application : applications) {
        if (!application.dataContainer)
            continue;
        std::error_code error;
        fs::create_directories(device.hostPath(*application.dataContainer + "Documents"), error);
        if (error)
            throw SimError("cannot create the container of " + application.bundleIdentifier);
    }
}

std::string Installation::messagesContainer() {
    auto messages = mcs::ApplicationRegistry::find(kMessages);
    if (!messages || !messages->dataContainer)
        throw SimError("this device has no Messages data container (run init)");
    return *messages->dataContainer;
}

void Installation::installConversations(const std::string& hostFile) {
    const std::string devicePath = "/var/mobile/Library/SMS/conversations.plist";
    if (hostFile.empty()) {
        auto existing = ns::DevicePath::toHost(devicePath);
        std::error_code error;
        if (existing.ok() && fs::exists(existing.value(), error))
            return; // the device's own, kept
        copyIntoDevice(fs::path(VANTOREL_CONVERSATIONS_FOLDER) / "sample.plist", devicePath);
        return;
    }
    // Refused before anything is replaced: the device keeps what it shows.
    auto file = ns::PlistFile::readDictionaryAtHostPath(hostFile);
    if (!file.ok())
        throw SimError("init --conversations: " + file.error());
    auto list = file.value().find("conversations");
    if (list == file.value().end() || !list->second.isArray())
        throw SimError("init --conversations: " + hostFile +
                       " has no \"conversations\" array (see sim/conversations/sample.plist)");
    // Checked entry by entry as Messages reads it, so a file Messages cannot show is never installed.
    if (auto parsed = messages::ConversationsFile::parse(file.value()); !parsed.ok())
        throw SimError("init --conversations: " + hostFile + ": " + parsed.failure().detail +
                       " (see sim/conversations/sample.plist)");
    if (!ns::PlistFile::writeDictionary(devicePath, file.value()).ok())
        throw SimError("cannot write " + devicePath + " into the device");
}

} // namespace sim
