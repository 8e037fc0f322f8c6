#include "Command.h"
#include "HostRunner.h"
#include "SimError.h"

#include <Foundation/NSFileManager.h>
#include <Foundation/PlistFile.h>

#include <cstdio>
#include <deque>
#include <fstream>

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

void addSystemCommands(CLI::App& app, Command& command) {
    CLI::App* respring = app.add_subcommand(
        "respring",
        "Restart the user interface (what \"Apply\" does) and wait until SpringBoard has launched");
    respring->callback([&command] {
        const Device& device = command.device();
        if (HostRunner::run(device.hostPath("/usr/bin/killall").string(), {"backboardd"}) != 0)
            throw SimError("the respring did not finish (see: vantorel-sim log)");
        requireMessagesCopyCurrent();
        std::printf("respring finished\n");
    });

    auto tail = std::make_shared<size_t>(0);
    CLI::App* log = app.add_subcommand("log", "Print the device's system log");
    log->add_option("--tail", *tail, "Only the last N lines")->check(CLI::Range(size_t{1}, size_t{1} << 30));
    log->callback([&command, tail] {
        std::ifstream file(command.device().hostPath("/var/log/syslog"));
        std::deque<std::string> lines;
        for (std::string line; std::getline(file, line);) {
            lines.push_back(line);
            if (*tail && lines.size() > *tail)
                lines.pop_front();
        }
        for (const std::string& line : lines)
            std::printf("%s\n", line.c_str());
    });
}

} // namespace sim
