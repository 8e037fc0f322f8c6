#include "Command.h"
#include "SimError.h"

#include "PQPrefs.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>

namespace sim {

namespace {

const char* const kDomain = "com.tavq.vantorelprefs";

// A small theme a user might choose: named colours, short and long hex forms.
const std::pair<const char*, const char*> kExampleTheme[] = {
    {"accent", "orange"},           {"primarylabel", "#F2F2F7"},     {"primaryBackground", "101014"},
    {"imessagebubblegradient1", "5E5CE6"}, {"imessagebubblegradient2", "BF5AF2CC"}, {"conversationName", "fff"},
};

} // namespace

void addDemoCommand(CLI::App& app, Command& command) {
    auto keep = std::make_shared<bool>(false);
    CLI::App* demo = app.add_subcommand("demo", "Run the main job on a simulated device and show the result");
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
        const Device& device = command.device(/*mayBeNew=*/true);
        device.createSkeleton();
        std::printf("Simulated device: %s\n\n", device.root().c_str());

        std::printf("Writing an example theme through the settings store:\n");
        for (const auto& [key, value] : kExampleTheme) {
            PQPrefs::shared()->setObject(ns::PlistValue(value), key, kDomain);
            std::printf("  %-26s %s\n", key, value);
        }
        PQPrefs::shared()->setBool(YES, "enableVantorel", kDomain);

        std::printf("\nRead back and parsed as the engine will (RRGGBBAA):\n");
        for (const auto& [key, value] : kExampleTheme) {
            auto colour = PQPrefs::shared()->colourForKey(key, "000000", kDomain);
            std::printf("  %-26s %s\n", key, HexColorCodec::hexStringFromColor(colour).c_str());
        }
        std::printf("  %-26s %s\n", "enableVantorel",
                    PQPrefs::shared()->boolForKey("enableVantorel", NO, kDomain) ? "on" : "off");
        std::printf("\nPreference file: %s\n", device.hostPath(PQPrefs::shared()->pathForID(kDomain)).c_str());
        if (!temporary.empty() && !*keep) {
            std::error_code ignored;
            std::filesystem::remove_all(temporary, ignored);
            std::printf("(temporary device removed; pass --keep or --device DIR to keep one)\n");
        }
    });
}

} // namespace sim
