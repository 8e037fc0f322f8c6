#include "Respring.h"

#include "HostRunner.h"
#include "SimError.h"

#include <Foundation/NSFileManager.h>
#include <Foundation/PlistFile.h>

namespace sim {

namespace {

// A respring is for bringing the Messages copy up to date; one that left it
// behind (a read-only or full container) did not do its job. The engine
// remembers where the copy is; with nothing remembered there is no copy to check.
void requireMessagesCopyCurrent() {
    const std::string source = "/var/mobile/Library/Preferences/com.tavq.vantorelprefs.plist";
    auto settings = ns::PlistFile::readDictionary(source);
    if (!settings)
        return;
    auto remembered = settings.value().find("messageDocumentPath");
    if (remembered == settings.value().end() || !remembered->second.isString() ||
        remembered->second.stringValue() == "none" ||
        !NSFileManager::defaultManager()->fileExistsAtPath(remembered->second.stringValue()))
        return;
    const std::string copy = remembered->second.stringValue() + "com.tavq.vantorelprefs.plist";
    auto copied = ns::PlistFile::readDictionary(copy);
    if (!copied)
        throw IncompleteResult("the respring left the Messages copy of the settings unwritten (" +
                               copied.failure().detail + ")");
    for (const auto& [key, value] : settings.value()) {
        auto found = copied.value().find(key);
        if (found == copied.value().end() || !(found->second == value))
            throw IncompleteResult("the respring left the Messages copy of the settings behind (" + key +
                                   " differs; is the container writable?)");
    }
}

} // namespace

void Respring::run(const Device& device) {
    if (HostRunner::run(device.hostPath("/usr/bin/killall").string(), {"backboardd"}) != 0)
        throw SimError("the respring did not finish (see: vantorel-sim log)");
    requireMessagesCopyCurrent();
}

} // namespace sim
