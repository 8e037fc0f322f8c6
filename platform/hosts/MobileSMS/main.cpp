// Messages: a process whose main bundle is "com.apple.MobileSMS" and whose home
// is its data container. Tweaks are mapped before any of its own code runs.
#include "ColourQuery.h"

#include "DeviceProcess.h"
#include "TweakLoader.h"

#include <ChatKit/CKUITheme.h>
#include <MobileCoreServices/ApplicationRegistry.h>
#include <objc/runtime.h>

#include <CLI/CLI.hpp>

#include <cstdio>
#include <sstream>

namespace {
const char* const kMessages = "com.apple.MobileSMS";
}

int main(int argc, char** argv) {
    CLI::App app{"The Messages app of the simulated device"};
    std::string bundleIdentifier = kMessages;
    std::string lacking;
    std::vector<std::string> selectors;
    app.add_option("--bundle-id", bundleIdentifier, "Run under another bundle identifier");
    app.add_option("--platform-lacks", lacking, "Comma-separated classes this platform version lacks");
    CLI::App* colours = app.add_subcommand("colours", "Print the colours Messages asks for");
    colours->add_option("SELECTOR", selectors);
    app.require_subcommand(1);
    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& error) {
        return app.exit(error);
    }

    // Home is the Messages container whatever identifier the process runs under.
    auto messages = mcs::ApplicationRegistry::find(kMessages);
    std::optional<std::string> home;
    if (messages && messages->dataContainer) {
        home = *messages->dataContainer;
        if (home->size() > 1 && home->back() == '/')
            home->pop_back();
    }
    hosts::DeviceProcess::start("MobileSMS", bundleIdentifier, home);
    // Messages' own classes exist before any tweak looks for them (and keep
    // the linker from dropping ChatKit as unused).
    CKUITheme::classObject();

    std::stringstream names(lacking);
    for (std::string name; std::getline(names, name, ',');)
        rt::hideClass(name.c_str());

    hosts::TweakLoader::loadFor(bundleIdentifier, "MobileSMS");

    if (selectors.empty())
        selectors = messages::ColourQuery::askedColours();
    bool allKnown = true;
    for (const std::string& selector : selectors)
        allKnown = messages::ColourQuery::print(selector) && allKnown;
    return allKnown ? 0 : 1;
}
