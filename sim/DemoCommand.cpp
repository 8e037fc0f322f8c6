#include "Command.h"
#include "HostRunner.h"
#include "Installation.h"
#include "PhotoLibrary.h"
#include "SimError.h"
#include "ThemeFile.h"
#include "ThemeStore.h"

#include "PQPrefs.h"
#include "ProductIdentity.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace sim {

namespace {

struct ThemeEntry {
    const char* key;
    const char* value;
    const char* askedAs; // what Messages asks for to get it
};

// A small theme a user might choose: named colours, short and long hex forms.
const ThemeEntry kExampleTheme[] = {
    {"primarylabel", "#F2F2F7", "labelColor"},
    {"primaryBackground", "101014", "systemBackgroundColor"},
    {"accent", "orange", "systemBlueColor"},
    {"conversationName", "fff", "conversationListSenderColor"},
    {"imessagebubblegradient1", "5E5CE6", "blue_balloonColors"},
    {"imessagebubblegradient2", "BF5AF2CC", "blue_balloonColors"},
};

void step(const char* text) {
    std::printf("\n== %s\n", text);
}

void respring(const Device& device) {
    if (HostRunner::run(device.hostPath("/usr/bin/killall").string(), {"backboardd"}) != 0)
        throw SimError("the respring did not finish");
}

// The conversation list and a transcript as Messages draws them now.
void screenshots(const char* when) {
    for (const char* screen : {"list", "chat"}) {
        const std::string picture =
            std::filesystem::absolute(std::string("vantorel-demo-") + screen + "-" + when + ".png").string();
        HostRunner::run(HostRunner::programFolder() + "/MobileSMS",
                        {"screenshot", "--screen", screen, picture, "--scale", "2"});
    }
}

} // namespace

void addDemoCommand(cli::App& app, Command& command) {
    auto keep = std::make_shared<bool>(false);
    cli::App* demo = app.add_subcommand(
        "demo", "The whole road on a new device: settings written, respring, Messages themed");
    demo->add_flag("--keep", *keep, "Keep the temporary device when no --device is given");
    demo->callback([&command, keep] {
        std::string temporary;
        if (!command.deviceGiven()) {
            std::string pattern = (std::filesystem::temp_directory_path() / "vantorel-demo-XXXXXX").string();
            if (!mkdtemp(pattern.data()))
                throw SimError("cannot create a temporary device folder");
            temporary = pattern;
            command.useDevice(temporary);
        }
        const Device& device = command.device(Command::DeviceState::mayBeNew);
        device.createSkeleton();
        Installation::createApplications(device);
        Installation::installSystemPrograms(device);
        const std::string product = Installation::installProduct(device);
        Installation::installConversations("");
        PhotoLibrary::fillWithSamples();
        std::printf("Simulated device: %s (dpkg installed %s)\n", device.root().c_str(), product.c_str());

        std::string messages = HostRunner::programFolder() + "/MobileSMS";
        std::vector<std::string> asked{"colours",
                                       "labelColor",
                                       "systemBackgroundColor",
                                       "systemBlueColor",
                                       "conversationListSenderColor",
                                       "blue_balloonColors"};
        step("Messages on a new device: the engine is on, and every colour it themes starts as black");
        HostRunner::run(messages, asked);

        step("Messages as it ships: the engine switched off for a moment");
        PQPrefs::shared()->setObject(ns::PlistValue(false), "enableVantorel", kPreferenceDomain);
        respring(device);
        screenshots("before");
        PQPrefs::shared()->setObject(ns::PlistValue(true), "enableVantorel", kPreferenceDomain);

        step("The user starts from the built-in Midnight theme and picks colours of their own");
        const ThemeFile::Checked midnight =
            ThemeFile::read(std::string(VANTOREL_THEMES_FOLDER) + "/dark.plist");
        if (!midnight.problems.empty())
            throw SimError("the Midnight theme does not read: " + midnight.problems.front());
        const ThemeStore::Imported imported = ThemeStore::import(midnight.theme, ThemeStore::Mode::merge);
        std::printf("  Midnight: %zu keys\n", imported.keysSet);
        for (const ThemeEntry& entry : kExampleTheme) {
            PQPrefs::shared()->setObject(ns::PlistValue(entry.value), entry.key, kPreferenceDomain);
            std::printf("  %-24s = %-9s  (Messages asks %s)\n", entry.key, entry.value, entry.askedAs);
        }

        step("A photo behind the transcript, under the system material blur");
        const std::string pane = HostRunner::programFolder() + "/Preferences";
        const std::string photo = PhotoLibrary::list().front().name;
        if (HostRunner::run(
                pane, {"--pane", "VantorelPrefs", "pick-image", "chatWallpaper", "--photo", photo}) != 0)
            throw SimError("the picture row did not take the photo");
        for (const char* key : {"enableChatWallpaper", "enableChatBlur"})
            PQPrefs::shared()->setObject(ns::PlistValue(true), key, kPreferenceDomain);
        PQPrefs::shared()->setObject(ns::PlistValue(2), "chatBlurStyle", kPreferenceDomain);

        step("Apply: respring, and SpringBoard mirrors the settings into Messages");
        respring(device);
        std::ifstream log(device.hostPath("/var/log/syslog"));
        for (std::string line; std::getline(log, line);)
            std::printf("  log: %s\n", line.c_str());
        std::printf(
            "  (the first launch finds the Messages container; a second respring copies straight away)\n");

        step("Messages with the theme (RRGGBBAA)");
        HostRunner::run(messages, asked);
        screenshots("after");

        step("The settings pane as the user sees it");
        const std::string picture = std::filesystem::absolute("vantorel-demo-settings.png").string();
        HostRunner::run(pane, {"--pane", "VantorelPrefs", "screenshot", "SystemColour", picture, "3"});

        std::printf("\nPreference file: %s\n",
                    device.hostPath(PQPrefs::shared()->pathForID(kPreferenceDomain)).c_str());
        if (!temporary.empty() && !*keep) {
            std::error_code ignored;
            std::filesystem::remove_all(temporary, ignored);
            std::printf("(temporary device removed; pass --keep or --device DIR to keep one)\n");
        }
    });
}

} // namespace sim
