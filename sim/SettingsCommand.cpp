// `settings`: the pane as a user meets it, through the device's Settings app.
// Every verb runs the Preferences host program on the device and shows what it reports.
#include "Command.h"
#include "HostRunner.h"
#include "Installation.h"
#include "MessagesCopy.h"
#include "PhotoLibrary.h"
#include "ProductIdentity.h"
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

namespace {

// Every settings verb's arguments; each verb reads its own.
struct SettingsOptions {
    std::string page;
    std::string key;
    std::string value;
    std::string entry;
    std::vector<std::string> colours;
    std::string photo;
    std::string file;
    std::string applyPage = "Root";
    ScreenshotFile::Options shot;
    bool json = false;
    bool alpha = false;
    bool cancel = false;
    bool yes = false;
    bool no = false;
};
using Options = std::shared_ptr<SettingsOptions>;

void addPages(cli::App& settings, Command& command) {
    settings.add_subcommand("pages", "List the pane's pages")->callback([&command] {
        requirePane(command.device());
        std::vector<std::vector<std::string>> rows{{"PAGE", "TITLE", "CONTROLLER"}};
        for (const std::string& line : runSettings({"pages"}).lines)
            rows.push_back(split(line));
        printTable(rows);
    });
}

void addShow(cli::App& settings, Command& command, const Options& o) {
    cli::App* show =
        settings.add_subcommand("show", "Show a page's rows: title, cell class, key and value shown");
    show->add_option("PAGE", o->page, "Page name, as `settings pages` lists them")->required();
    show->callback([&command, o] {
        requirePane(command.device());
        // The pane shows defaults for a file it cannot read; say why.
        const std::string settingsFile = kPreferencesFolder + preferenceFileName();
        if (auto file = ns::PlistFile::readDictionary(settingsFile);
            !file && file.kind() != ns::FailureKind::NotFound)
            std::fprintf(stderr, "vantorel-sim: cannot read %s (%s): showing defaults\n",
                         settingsFile.c_str(), file.failure().detail.c_str());
        std::vector<std::vector<std::string>> rows{{"TITLE", "CELL", "KEY", "VALUE"}};
        for (const std::string& line : runSettings({"show", o->page}).lines)
            rows.push_back(split(line));
        printTable(rows);
    });
}

void addViews(cli::App& settings, Command& command, const Options& o) {
    cli::App* views = settings.add_subcommand(
        "views", "Print a page's view tree as the Settings app lays it out (frames in window points)");
    views->add_option("PAGE", o->page, "Page name, as `settings pages` lists them")->required();
    views->add_flag("--json", o->json, "One JSON object per view, subviews nested");
    views->callback([&command, o] {
        requirePane(command.device());
        std::vector<std::string> arguments{"views", o->page};
        if (o->json)
            arguments.push_back("--json");
        printLines(runSettings(arguments));
    });
}

void addScreenshot(cli::App& settings, Command& command, const Options& o) {
    cli::App* screenshot =
        settings.add_subcommand("screenshot", "Draw the Settings app showing a page, as a PNG file");
    screenshot->add_option("PAGE", o->page, "Page name, as `settings pages` lists them")->required();
    ScreenshotFile::addOptions(screenshot, o->shot, "settings-PAGE.png");
    screenshot->callback([&command, o] {
        requirePane(command.device());
        const std::string file =
            ScreenshotFile::path("settings screenshot", o->shot, "settings-" + o->page + ".png");
        printLines(runSettings(
            [&] { return SettingsApp::screenshot(o->page, file, ScreenshotFile::scaleText(o->shot)); }));
    });
}

void addSet(cli::App& settings, Command& command, const Options& o) {
    cli::App* set = settings.add_subcommand(
        "set",
        "Change the row storing KEY as its control would (switches: on/off, menus: a title, colours: hex)");
    set->add_option("KEY", o->key, "Preference key of the row")->required();
    set->add_option("VALUE", o->value, "The new value")->required();
    set->callback([&command, o] {
        requirePane(command.device());
        printLines(runSettings([&] { return SettingsApp::set(o->key, o->value); }));
    });
}

void addPickColour(cli::App& settings, Command& command, const Options& o) {
    cli::App* pick = settings.add_subcommand(
        "pick-colour",
        "Open a colour row's picker, pick each colour in turn (one write each), then close it");
    pick->add_option("KEY", o->key, "Preference key of the colour row")->required();
    pick->add_option("COLOUR", o->colours, "RRGGBBAA, RRGGBB, RGB or a colour name")->required();
    pick->add_flag("--alpha", o->alpha, "Also set the picker's opacity to each colour's alpha");
    pick->callback([&command, o] {
        // Colours are checked before the device, as they always were.
        for (const std::string& text : o->colours)
            if (!SettingsApp::pickerColour(text))
                throw SimError("'" + text + "' is not a colour (RRGGBBAA, RRGGBB, RGB or a colour name)");
        requirePane(command.device());
        printLines(runSettings([&] { return SettingsApp::pickColour(o->key, o->colours, o->alpha); }));
    });
}

void addMenu(cli::App& settings, Command& command, const Options& o) {
    cli::App* menu = settings.add_subcommand(
        "menu", "Open a row's menu: its title, then its entries (the chosen one marked)");
    menu->add_option("KEY", o->key, "Preference key of the menu row")->required();
    menu->callback([&command, o] {
        requirePane(command.device());
        printLines(runSettings({"menu", o->key}));
    });
}

void addChoose(cli::App& settings, Command& command, const Options& o) {
    cli::App* choose = settings.add_subcommand("choose", "Open a row's menu and tap one of its entries");
    choose->add_option("KEY", o->key, "Preference key of the menu row")->required();
    choose->add_option("ENTRY", o->entry, "The entry's title, or its position from 0")->required();
    choose->callback([&command, o] {
        requirePane(command.device());
        printLines(runSettings([&] { return SettingsApp::choose(o->key, o->entry); }));
    });
}

void addInfo(cli::App& settings, Command& command, const Options& o) {
    cli::App* info =
        settings.add_subcommand("info", "Tap a row's info button: the alert's title, message and buttons");
    info->add_option("KEY", o->key, "Preference key of the row")->required();
    info->callback([&command, o] {
        requirePane(command.device());
        printLines(runSettings({"info", o->key}));
    });
}

void addPickImage(cli::App& settings, Command& command, const Options& o) {
    cli::App* pickImage = settings.add_subcommand(
        "pick-image", "Tap the picture row storing KEY and choose in its image picker, as a finger would");
    pickImage->add_option("KEY", o->key, "Preference key of the row")->required();
    cli::Option* photoOption =
        pickImage->add_option("PHOTO", o->photo, "A photo of the library (see: photos list)");
    cli::Option* fileOption =
        pickImage->add_option("--file", o->file, "A JPEG or PNG picture of this machine");
    cli::Option* cancelOption = pickImage->add_flag("--cancel", o->cancel, "Tap Cancel instead");
    photoOption->excludes(fileOption, cancelOption);
    fileOption->excludes(cancelOption);
    pickImage->callback([&command, o] {
        requirePane(command.device());
        using Source = SettingsApp::ImageSource;
        if (o->cancel) {
            printLines(runSettings({"pick-image", o->key, "--cancel"}));
        } else if (!o->file.empty()) {
            PhotoLibrary::readHostPicture(o->file); // refused here in one line, before the app starts
            const std::string file = fs::absolute(o->file).string();
            printLines(runSettings([&] { return SettingsApp::pickImage(o->key, Source::hostFile, file); }));
        } else if (!o->photo.empty()) {
            printLines(runSettings([&] { return SettingsApp::pickImage(o->key, Source::photo, o->photo); }));
        } else {
            throw SimError("settings pick-image: name a PHOTO, or give --file FILE or --cancel");
        }
    });
}

void addApply(cli::App& settings, Command& command, const Options& o) {
    cli::App* apply =
        settings.add_subcommand("apply", "Tap \"Apply\" and answer the alert (Yes restarts the interface)");
    cli::Option* yesOption = apply->add_flag("--yes", o->yes, "Answer Yes");
    cli::Option* noOption = apply->add_flag("--no", o->no, "Answer No");
    yesOption->excludes(noOption);
    apply->add_option("--page", o->applyPage, "The page whose Apply to tap")->capture_default_str();
    apply->callback([&command, o] {
        if (!o->yes && !o->no)
            throw SimError("settings apply: answer the alert with --yes or --no");
        const Device& device = command.device();
        requirePane(device);
        printLines(runSettings({"apply", o->yes ? "Yes" : "No", o->applyPage}));
        // "Yes" resprings: its success means Messages reads the settings now.
        if (o->yes)
            MessagesCopy::bringUpToDate([&device] { Respring::restart(device); }, true);
    });
}

} // namespace

void addSettingsCommands(cli::App& app, Command& command) {
    cli::App* settings = app.add_subcommand("settings", "Use the settings pane through the Settings app");
    settings->require_subcommand(1);
    // Only one verb runs per invocation, so the verbs share one set of options.
    auto options = std::make_shared<SettingsOptions>();
    addPages(*settings, command);
    addShow(*settings, command, options);
    addViews(*settings, command, options);
    addScreenshot(*settings, command, options);
    addSet(*settings, command, options);
    addPickColour(*settings, command, options);
    addMenu(*settings, command, options);
    addChoose(*settings, command, options);
    addInfo(*settings, command, options);
    addPickImage(*settings, command, options);
    addApply(*settings, command, options);
}

} // namespace sim
