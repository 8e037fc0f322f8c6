// Messages: a process whose main bundle is "com.apple.MobileSMS" and whose home
// is its data container. Tweaks are mapped before any of its own code runs.
#include "ColourQuery.h"
#include "ConversationsFile.h"
#include "MessagesScreen.h"

#include "DeviceProcess.h"
#include "HostExitStatus.h"
#include "TweakLoader.h"
#include "ViewTree.h"

#include <ChatKit/CKUITheme.h>
#include <MobileCoreServices/ApplicationRegistry.h>
#include <Render/Screenshot.h>
#include <Render/Typesetter.h>
#include <objc/runtime.h>

#include <CLI/CLI.hpp>

#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <utility>

namespace {
const char* const kMessages = "com.apple.MobileSMS";
using hosts::exitCode;
using hosts::HostExitStatus;
} // namespace

int main(int argc, char** argv) {
    CLI::App app{"The Messages app of the simulated device"};
    std::string bundleIdentifier = kMessages;
    std::string lacking;
    std::vector<std::string> selectors;
    app.add_option("--bundle-id", bundleIdentifier, "Run under another bundle identifier");
    app.add_option("--platform-lacks", lacking, "Comma-separated classes this platform version lacks");
    CLI::App* colours = app.add_subcommand("colours", "Print the colours Messages asks for");
    colours->add_option("SELECTOR", selectors);
    std::string screenName;
    bool json = false;
    std::string output;
    double scale = 2;
    std::string scrollText;
    CLI::App* views = app.add_subcommand("views", "Print a screen's view tree after a full layout pass");
    views->add_option("--screen", screenName, "list, search, swipe, chat or menu")->required();
    views->add_flag("--json", json, "One JSON object per view, subviews nested");
    CLI::Option* viewsScroll = views->add_option(
        "--scroll", scrollText, "Content offset in points from the top (list, search, chat)");
    CLI::App* screenshot =
        app.add_subcommand("screenshot", "Draw a screen as PNG into a file of this machine");
    screenshot->add_option("--screen", screenName, "list, search, swipe, chat or menu")->required();
    screenshot->add_option("FILE", output, "The PNG file")->required();
    screenshot->add_option("--scale", scale, "Pixels per point")->check(CLI::PositiveNumber);
    CLI::Option* shotScroll = screenshot->add_option(
        "--scroll", scrollText, "Content offset in points from the top (list, search, chat)");
    app.require_subcommand(1);
    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& error) {
        const int shown = app.exit(error);
        return shown == 0 ? 0 : exitCode(HostExitStatus::refused);
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
    render::Typesetter::useForLayout(); // text laid out at the width it is drawn at
    // Messages' own classes exist before any tweak looks for them (and keep
    // the linker from dropping ChatKit as unused).
    CKUITheme::classObject();

    std::stringstream names(lacking);
    for (std::string name; std::getline(names, name, ',');)
        rt::hideClass(name.c_str());

    hosts::TweakLoader::loadFor(bundleIdentifier, "MobileSMS");

    if (views->parsed() || screenshot->parsed()) {
        auto kind = messages::MessagesScreen::kindNamed(screenName);
        if (!kind) {
            std::fprintf(stderr, "MobileSMS: no screen \"%s\" (screens: %s)\n", screenName.c_str(),
                         messages::MessagesScreen::kKindNames);
            return exitCode(HostExitStatus::refused);
        }
        std::optional<CGFloat> scroll;
        if (viewsScroll->count() > 0 || shotScroll->count() > 0) {
            char* end = nullptr;
            const double value = std::strtod(scrollText.c_str(), &end);
            if (scrollText.empty() || end != scrollText.c_str() + scrollText.size() ||
                !std::isfinite(value) || value < 0 ||
                std::isspace(static_cast<unsigned char>(scrollText.front()))) {
                std::fprintf(stderr, "MobileSMS: --scroll \"%s\" is not a number of points, 0 or more\n",
                             scrollText.c_str());
                return 2;
            }
            if (!messages::MessagesScreen::scrolls(*kind)) {
                std::fprintf(stderr, "MobileSMS: the %s screen does not scroll (list, search and chat do)\n",
                             screenName.c_str());
                return 2;
            }
            scroll = value;
        }
        auto conversations = messages::ConversationsFile::load();
        if (!conversations.ok()) {
            std::fprintf(stderr, "MobileSMS: the conversations cannot be shown: %s\n",
                         conversations.error().c_str());
            return exitCode(HostExitStatus::unreadableFile);
        }
        messages::MessagesScreen screen(*kind, std::move(conversations).value(), scroll);
        screen.layOutEverything();
        if (views->parsed()) {
            std::printf("%s", json ? (hosts::ViewTree::json(screen.window()).dump(2) + "\n").c_str()
                                   : hosts::ViewTree::text(screen.window()).c_str());
            return 0;
        }
        if (auto written = render::Screenshot::writePNG(screen.window(), output, scale); !written.ok()) {
            std::fprintf(stderr, "MobileSMS: %s\n", written.error().c_str());
            return exitCode(HostExitStatus::unreadableFile);
        }
        std::printf("%s\n", output.c_str());
        return 0;
    }

    if (selectors.empty())
        selectors = messages::ColourQuery::askedColours();
    bool allKnown = true;
    for (const std::string& selector : selectors)
        allKnown = messages::ColourQuery::print(selector) && allKnown;
    return allKnown ? 0 : 1;
}
