// `settings`: the pane as a user meets it, through the device's Settings app.
// Every verb runs the Preferences host program on the device and shows what it reports.
#include "Command.h"
#include "HostRunner.h"
#include "Installation.h"
#include "MessagesCopy.h"
#include "PhotoLibrary.h"
#include "Respring.h"
#include "ScreenshotFile.h"
#include "SettingsApp.h"
#include "SimError.h"

#include <Foundation/DevicePath.h>
#include <Foundation/NSFileManager.h>
#include <Foundation/PlistFile.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace sim {

namespace fs = std::filesystem;

namespace {

constexpr const char* kBundle = "VantorelPrefs.bundle";
constexpr const char* kEntry = "VantorelPrefs.plist";

struct HostOutput {
    std::vector<std::string> lines;
};

// The app's output lines; when it fails, what it printed reaches the terminal
// before its one-line reason.
template <typename Call> HostOutput runSettings(Call call) {
    try {
        return HostOutput{call()};
    } catch (const SettingsApp::Failed& failed) {
        for (const std::string& line : failed.output)
            std::printf("%s\n", line.c_str());
        if (!failed.complaint.empty())
            std::fprintf(stderr, "%s\n", failed.complaint.c_str());
        throw SimError(failed.what());
    }
}

HostOutput runSettings(std::vector<std::string> arguments) {
    return runSettings([&] { return SettingsApp::run(std::move(arguments)); });
}

std::vector<std::string> split(const std::string& line) {
    std::vector<std::string> fields;
    std::size_t start = 0;
    for (std::size_t tab; (tab = line.find('\t', start)) != std::string::npos; start = tab + 1)
        fields.push_back(line.substr(start, tab - start));
    fields.push_back(line.substr(start));
    return fields;
}

// Columns two spaces apart; an empty field shows as "-".
void printTable(const std::vector<std::vector<std::string>>& rows) {
    std::vector<std::size_t> widths;
    for (const auto& row : rows)
        for (std::size_t i = 0; i < row.size(); ++i) {
            widths.resize(std::max(widths.size(), row.size()));
            widths[i] = std::max(widths[i], std::max<std::size_t>(row[i].size(), 1));
        }
    for (const auto& row : rows) {
        std::string line;
        for (std::size_t i = 0; i < row.size(); ++i) {
            const std::string field = row[i].empty() ? "-" : row[i];
            line += field;
            if (i + 1 < row.size())
                line += std::string(widths[i] - field.size() + 2, ' ');
        }
        std::printf("%s\n", line.c_str());
    }
}

void printLines(const HostOutput& output) {
    for (const std::string& line : output.lines)
        std::printf("%s\n", line.c_str());
}

void requirePane(const Device& device) {
    SettingsApp::requirePane(device);
}

} // namespace

void addSettingsCommands(CLI::App& app, Command& command) {
    CLI::App* settings = app.add_subcommand("settings", "Use the settings pane through the Settings app");
    settings->require_subcommand(1);

    CLI::App* pages = settings->add_subcommand("pages", "List the pane's pages");
    pages->callback([&command] {
        requirePane(command.device());
        std::vector<std::vector<std::string>> rows{{"PAGE", "TITLE", "CONTROLLER"}};
        for (const std::string& line : runSettings({"pages"}).lines)
            rows.push_back(split(line));
        printTable(rows);
    });

    auto page = std::make_shared<std::string>();
    CLI::App* show =
        settings->add_subcommand("show", "Show a page's rows: title, cell class, key and value shown");
    show->add_option("PAGE", *page, "Page name, as `settings pages` lists them")->required();
    show->callback([&command, page] {
        requirePane(command.device());
        // The pane shows defaults for a file it cannot read; say why.
        const std::string settingsFile = "/var/mobile/Library/Preferences/com.tavq.vantorelprefs.plist";
        if (auto file = ns::PlistFile::readDictionary(settingsFile);
            !file && file.kind() != ns::FailureKind::NotFound)
            std::fprintf(stderr, "vantorel-sim: cannot read %s (%s): showing defaults\n",
                         settingsFile.c_str(), file.failure().detail.c_str());
        std::vector<std::vector<std::string>> rows{{"TITLE", "CELL", "KEY", "VALUE"}};
        for (const std::string& line : runSettings({"show", *page}).lines) {
            rows.push_back(split(line));
        }
        printTable(rows);
    });

    auto viewsPage = std::make_shared<std::string>();
    auto json = std::make_shared<bool>(false);
    CLI::App* views = settings->add_subcommand(
        "views", "Print a page's view tree as the Settings app lays it out (frames in window points)");
    views->add_option("PAGE", *viewsPage, "Page name, as `settings pages` lists them")->required();
    views->add_flag("--json", *json, "One JSON object per view, subviews nested");
    views->callback([&command, viewsPage, json] {
        requirePane(command.device());
        std::vector<std::string> arguments{"views", *viewsPage};
        if (*json)
            arguments.push_back("--json");
        for (const std::string& line : runSettings(arguments).lines)
            std::printf("%s\n", line.c_str());
    });

    auto shotPage = std::make_shared<std::string>();
    auto shot = std::make_shared<ScreenshotFile::Options>();
    CLI::App* screenshot =
        settings->add_subcommand("screenshot", "Draw the Settings app showing a page, as a PNG file");
    screenshot->add_option("PAGE", *shotPage, "Page name, as `settings pages` lists them")->required();
    ScreenshotFile::addOptions(screenshot, *shot, "settings-PAGE.png");
    screenshot->callback([&command, shotPage, shot] {
        requirePane(command.device());
        const std::string file =
            ScreenshotFile::path("settings screenshot", *shot, "settings-" + *shotPage + ".png");
        printLines(runSettings(
            [&] { return SettingsApp::screenshot(*shotPage, file, ScreenshotFile::scaleText(*shot)); }));
    });

    auto key = std::make_shared<std::string>();
    auto value = std::make_shared<std::string>();
    CLI::App* set = settings->add_subcommand(
        "set",
        "Change the row storing KEY as its control would (switches: on/off, menus: a title, colours: hex)");
    set->add_option("KEY", *key, "Preference key of the row")->required();
    set->add_option("VALUE", *value, "The new value")->required();
    set->callback([&command, key, value] {
        requirePane(command.device());
        printLines(runSettings([&] { return SettingsApp::set(*key, *value); }));
    });

    auto pickKey = std::make_shared<std::string>();
    auto colours = std::make_shared<std::vector<std::string>>();
    auto withAlpha = std::make_shared<bool>(false);
    CLI::App* pick = settings->add_subcommand(
        "pick-colour",
        "Open a colour row's picker, pick each colour in turn (one write each), then close it");
    pick->add_option("KEY", *pickKey, "Preference key of the colour row")->required();
    pick->add_option("COLOUR", *colours, "RRGGBBAA, RRGGBB, RGB or a colour name")->required();
    pick->add_flag("--alpha", *withAlpha, "Also set the picker's opacity to each colour's alpha");
    pick->callback([&command, pickKey, colours, withAlpha] {
        // Colours are checked before the device, as they always were.
        for (const std::string& text : *colours)
            if (!SettingsApp::pickerColour(text))
                throw SimError("'" + text + "' is not a colour (RRGGBBAA, RRGGBB, RGB or a colour name)");
        requirePane(command.device());
        printLines(runSettings([&] { return SettingsApp::pickColour(*pickKey, *colours, *withAlpha); }));
    });

    auto menuKey = std::make_shared<std::string>();
    CLI::App* menu = settings->add_subcommand(
        "menu", "Open a row's menu: its title, then its entries (the chosen one marked)");
    menu->add_option("KEY", *menuKey, "Preference key of the menu row")->required();
    menu->callback([&command, menuKey] {
        requirePane(command.device());
        printLines(runSettings({"menu", *menuKey}));
    });

    auto chooseKey = std::make_shared<std::string>();
    auto entry = std::make_shared<std::string>();
    CLI::App* choose = settings->add_subcommand("choose", "Open a row's menu and tap one of its entries");
    choose->add_option("KEY", *chooseKey, "Preference key of the menu row")->required();
    choose->add_option("ENTRY", *entry, "The entry's title, or its position from 0")->required();
    choose->callback([&command, chooseKey, entry] {
        requirePane(command.device());
        printLines(runSettings([&] { return SettingsApp::choose(*chooseKey, *entry); }));
    });

    auto infoKey = std::make_shared<std::string>();
    CLI::App* info =
        settings->add_subcommand("info", "Tap a row's info button: the alert's title, message and buttons");
    info->add_option("KEY", *infoKey, "Preference key of the row")->required();
    info->callback([&command, infoKey] {
        requirePane(command.device());
        printLines(runSettings({"info", *infoKey}));
    });

    auto imageKey = std::make_shared<std::string>();
    auto photo = std::make_shared<std::string>();
    auto pickFile = std::make_shared<std::string>();
    auto cancel = std::make_shared<bool>(false);
    CLI::App* pickImage = settings->add_subcommand(
        "pick-image", "Tap the picture row storing KEY and choose in its image picker, as a finger would");
    pickImage->add_option("KEY", *imageKey, "Preference key of the row")->required();
    CLI::Option* photoOption =
        pickImage->add_option("PHOTO", *photo, "A photo of the library (see: photos list)");
    CLI::Option* fileOption =
        pickImage->add_option("--file", *pickFile, "A JPEG or PNG picture of this machine");
    CLI::Option* cancelOption = pickImage->add_flag("--cancel", *cancel, "Tap Cancel instead");
    photoOption->excludes(fileOption, cancelOption);
    fileOption->excludes(cancelOption);
    pickImage->callback([&command, imageKey, photo, pickFile, cancel] {
        requirePane(command.device());
        if (*cancel) {
            printLines(runSettings({"pick-image", *imageKey, "--cancel"}));
        } else if (!pickFile->empty()) {
            PhotoLibrary::readHostPicture(*pickFile); // refused here in one line, before the app starts
            const std::string file = fs::absolute(*pickFile).string();
            printLines(runSettings(
                [&] { return SettingsApp::pickImage(*imageKey, SettingsApp::ImageSource::hostFile, file); }));
        } else if (!photo->empty()) {
            printLines(runSettings(
                [&] { return SettingsApp::pickImage(*imageKey, SettingsApp::ImageSource::photo, *photo); }));
        } else {
            throw SimError("settings pick-image: name a PHOTO, or give --file FILE or --cancel");
        }
    });

    auto yes = std::make_shared<bool>(false);
    auto no = std::make_shared<bool>(false);
    auto applyPage = std::make_shared<std::string>("Root");
    CLI::App* apply =
        settings->add_subcommand("apply", "Tap \"Apply\" and answer the alert (Yes restarts the interface)");
    CLI::Option* yesOption = apply->add_flag("--yes", *yes, "Answer Yes");
    CLI::Option* noOption = apply->add_flag("--no", *no, "Answer No");
    yesOption->excludes(noOption);
    apply->add_option("--page", *applyPage, "The page whose Apply to tap")->capture_default_str();
    apply->callback([&command, yes, no, applyPage] {
        if (!*yes && !*no)
            throw SimError("settings apply: answer the alert with --yes or --no");
        const Device& device = command.device();
        requirePane(device);
        for (const std::string& line : runSettings({"apply", *yes ? "Yes" : "No", *applyPage}).lines)
            std::printf("%s\n", line.c_str());
        // "Yes" resprings: its success means Messages reads the settings now.
        if (*yes)
            MessagesCopy::bringUpToDate([&device] { Respring::restart(device); }, true);
    });
}

} // namespace sim
