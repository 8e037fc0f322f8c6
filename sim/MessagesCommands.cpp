#include "Command.h"
#include "HostRunner.h"
#include "MessagesApp.h"
#include "ScreenSheet.h"
#include "ScreenshotFile.h"
#include "SimError.h"

#include <cstdio>

namespace sim {

namespace {
struct MessagesOptions {
    std::vector<std::string> selectors;
    std::string bundleIdentifier;
    std::string lacking; // comma-separated class names
};
} // namespace

void addMessagesCommands(cli::App& app, Command& command) {
    auto options = std::make_shared<MessagesOptions>();
    cli::App* messages = app.add_subcommand("messages", "Launch Messages on the device and ask it things");
    messages->require_subcommand(1);
    cli::App* colours = messages->add_subcommand(
        "colours",
        "Print the colours Messages gets, one line per selector: SELECTOR RRGGBBAA (all 36 by default)");
    colours->add_option("SELECTOR", options->selectors);
    colours->add_option("--bundle-id", options->bundleIdentifier, "Launch under another bundle identifier");
    colours->add_option("--platform-lacks", options->lacking,
                        "Classes this platform version lacks (CLASS,CLASS,...)");
    colours->callback([&command, options] {
        command.device();
        std::vector<std::string> arguments;
        if (!options->bundleIdentifier.empty())
            arguments.insert(arguments.end(), {"--bundle-id", options->bundleIdentifier});
        if (!options->lacking.empty())
            arguments.insert(arguments.end(), {"--platform-lacks", options->lacking});
        arguments.push_back("colours");
        arguments.insert(arguments.end(), options->selectors.begin(), options->selectors.end());
        if (HostRunner::run(HostRunner::programFolder() + "/MobileSMS", arguments) != 0)
            throw ReportedFailure(); // Messages named the selector it does not know
    });

    const std::vector<std::string>& screens = MessagesApp::screens();
    auto screen = std::make_shared<std::string>();
    auto json = std::make_shared<bool>(false);
    auto scroll = std::make_shared<std::string>();
    const char* const scrollHelp =
        "Scroll the list, search results or transcript this many points from the top";
    cli::App* views = messages->add_subcommand(
        "views", "Print a Messages screen's view tree after a full layout pass (frames in window points)");
    views->add_option("--screen", *screen, "Which screen")->required()->check(cli::IsMember(screens));
    views->add_flag("--json", *json, "One JSON object per view, subviews nested");
    cli::Option* viewsScroll = views->add_option("--scroll", *scroll, scrollHelp);
    views->callback([&command, screen, json, scroll, viewsScroll] {
        std::vector<std::string> arguments{"views", "--screen", *screen};
        for (std::string& argument : MessagesApp::scrollArguments(*screen, *scroll, viewsScroll->count() > 0))
            arguments.push_back(std::move(argument));
        command.device();
        if (*json)
            arguments.push_back("--json");
        if (HostRunner::run(HostRunner::programFolder() + "/MobileSMS", arguments) != 0)
            throw ReportedFailure();
    });

    auto shot = std::make_shared<ScreenshotFile::Options>();
    std::vector<std::string> drawable = screens;
    drawable.push_back("all");
    cli::App* screenshot = messages->add_subcommand(
        "screenshot", "Draw a Messages screen as a PNG file; all: the five on one captioned sheet");
    screenshot->add_option("--screen", *screen, "Which screen, or all")
        ->required()
        ->check(cli::IsMember(drawable));
    ScreenshotFile::addOptions(screenshot, *shot, "messages-SCREEN.png");
    cli::Option* shotScroll = screenshot->add_option("--scroll", *scroll, scrollHelp);
    screenshot->callback([&command, screen, shot, screenshot, scroll, shotScroll] {
        const bool scrolled = shotScroll->count() > 0;
        if (*screen == "all") {
            if (scrolled)
                throw SimError("--scroll: the all sheet does not scroll; name one screen");
            command.allowBothAppearances();
            command.device();
            const double scale = screenshot->count("--scale") ? shot->scale : ScreenSheet::kDefaultScale;
            const std::vector<std::string> looks = command.looks();
            ScreenSheet::checkFits("messages screenshot", looks.size(), scale);
            const std::string file = ScreenshotFile::path("messages screenshot", *shot, "messages-all.png");
            ScreenSheet::write(file, scale, looks, "Messages");
            std::printf("%s\n", file.c_str());
            return;
        }
        // A bad offset fails before the device is touched.
        const std::vector<std::string> scrolling = MessagesApp::scrollArguments(*screen, *scroll, scrolled);
        command.device();
        const std::string file =
            ScreenshotFile::path("messages screenshot", *shot, "messages-" + *screen + ".png");
        if (HostRunner::run(MessagesApp::program(),
                            MessagesApp::screenshotArguments(*screen, file, ScreenshotFile::scaleText(*shot),
                                                             scrolling)) != 0)
            throw ReportedFailure();
    });
}

} // namespace sim
