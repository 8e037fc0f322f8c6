#include "Installation.h"

#include "HostRunner.h"
#include "SimError.h"

#include <Foundation/PlistFile.h>
#include <MobileCoreServices/ApplicationRegistry.h>

#include <cstdio>
#include <filesystem>
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

void copyReplacing(const fs::path& from, const fs::path& to) {
    std::error_code error;
    fs::copy_file(from, to, fs::copy_options::overwrite_existing, error);
    if (error)
        throw SimError("cannot install " + from.string() + ": " + error.message() + " (run make first)");
}

void linkReplacing(const fs::path& target, const fs::path& link) {
    std::error_code error;
    fs::remove(link, error);
    fs::create_symlink(target, link, error);
    if (error)
        throw SimError("cannot install " + link.string() + ": " + error.message());
}

} // namespace

void Installation::installEngine(const Device& device) {
    fs::path folder = device.hostPath("/Library/MobileSubstrate/DynamicLibraries");
    copyReplacing(fs::path(HostRunner::libraryFolder()) / "Vantorel.dylib", folder / "Vantorel.dylib");
    ns::PlistArray bundles{ns::PlistValue("com.apple.springboard"), ns::PlistValue(kMessages)};
    ns::PlistDictionary filter{
        {"Filter", ns::PlistValue(ns::PlistDictionary{{"Bundles", ns::PlistValue(bundles)}})}};
    if (!ns::PlistFile::writeDictionary("/Library/MobileSubstrate/DynamicLibraries/Vantorel.plist", filter)
             .ok())
        throw SimError("cannot write the engine's loader filter");
}

void Installation::installSystemPrograms(const Device& device) {
    // A respring runs the device's killall, which restarts backboardd and
    // SpringBoard from the same build.
    linkReplacing(fs::path(HostRunner::programFolder()) / "killall", device.hostPath("/usr/bin/killall"));
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

} // namespace sim
