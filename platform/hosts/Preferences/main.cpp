// The Settings app, reduced to what the simulator needs: it loads one pane
// from the device and shows or drives its pages.
//   Preferences --pane NAME pages [--json]
//   Preferences --pane NAME show PAGE
//   Preferences --pane NAME set KEY VALUE [--colour RRGGBBAA]
//   Preferences --pane NAME pick-colour KEY [--alpha] RRGGBBAA...
//   Preferences --pane NAME menu KEY
//   Preferences --pane NAME choose KEY ENTRY
//   Preferences --pane NAME info KEY
//   Preferences --pane NAME apply yes|no [PAGE]
//   Preferences --pane NAME pick-image KEY (--photo NAME | --file FILE | --cancel)
//   Preferences --pane NAME views PAGE [--json]
//   Preferences --pane NAME screenshot PAGE FILE SCALE
// Before it exits it waits for every process the pane started.
#include "DeviceProcess.h"
#include "SettingsHost.h"
#include "SystemViews.h"
#include "TweakLoader.h"
#include "ViewTree.h"

#include <Render/Typesetter.h>

#include <Foundation/SpawnedProcesses.h>

#include <nlohmann/json.hpp>

#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

int usage() {
    std::fprintf(
        stderr,
        "usage: Preferences --pane NAME (pages [--json] | show PAGE | set KEY VALUE [--colour RRGGBBAA] | "
        "pick-colour KEY [--alpha] RRGGBBAA... | menu KEY | choose KEY ENTRY | info KEY | "
        "pick-image KEY (--photo NAME | --file FILE | --cancel) | "
        "apply yes|no [PAGE] | views PAGE [--json] | screenshot PAGE FILE SCALE)\n");
    return 2;
}

void printLines(const std::vector<std::string>& lines) {
    for (const std::string& line : lines)
        std::printf("%s\n", line.c_str());
}

// Every page with its rows and what a form needs to stand in for them (menus
// are opened here), so the whole pane costs one process.
void printPagesJson(hosts::SettingsHost& host) {
    nlohmann::json pages = nlohmann::json::array();
    for (const auto& page : host.pages()) {
        nlohmann::json rows = nlohmann::json::array();
        for (const auto& row : host.show(page.identifier)) {
            nlohmann::json entry{
                {"title", row.title}, {"cell", row.cellClass}, {"key", row.key}, {"value", row.value}};
            if (row.isGroup)
                entry["group"] = true;
            if (row.offersOpacity)
                entry["opacity"] = true;
            if (row.hasMenu && !row.key.empty())
                entry["menu"] = host.menu(row.key);
            if (row.hasInfo && !row.key.empty())
                entry["info"] = true; // the alert itself is one tap away: `info KEY`
            rows.push_back(entry);
        }
        pages.push_back({{"name", page.identifier}, {"title", page.title}, {"rows", rows}});
    }
    std::printf("%s\n", nlohmann::json{{"pages", pages}}.dump().c_str());
}

int run(std::vector<std::string> args) {
    // The pane to show is named by whoever opens the Settings app.
    if (args.size() < 3 || args[0] != "--pane")
        return usage();
    const std::string pane = args[1];
    args.erase(args.begin(), args.begin() + 2);
    const std::string& verb = args[0];
    // Only the verbs that show frames or pixels measure text with the font
    // machinery (at the width it is drawn at); the others skip its start-up.
    if (verb == "views" || verb == "screenshot")
        render::Typesetter::useForLayout();
    if (verb == "pages" && args.size() == 2 && args[1] == "--json") {
        hosts::SettingsHost host(pane);
        printPagesJson(host);
        return 0;
    }
    if (verb == "pages" && args.size() == 1) {
        hosts::SettingsHost host(pane);
        for (const auto& page : host.pages())
            std::printf("%s\t%s\t%s\n", page.identifier.c_str(), page.title.c_str(),
                        page.controllerClass.c_str());
        return 0;
    }
    if (verb == "show" && args.size() == 2) {
        hosts::SettingsHost host(pane);
        for (const auto& row : host.show(args[1]))
            std::printf("%s\t%s\t%s\t%s\n", row.isGroup ? ("[" + row.title + "]").c_str() : row.title.c_str(),
                        row.cellClass.c_str(), row.key.c_str(), row.value.c_str());
        return 0;
    }
    if (verb == "views" && (args.size() == 2 || (args.size() == 3 && args[2] == "--json"))) {
        hosts::SettingsHost host(pane);
        rt::Ref<UIView> page = host.views(args[1]);
        // The page, then what the system shows over it.
        const std::vector<rt::Ref<UIView>> system = hosts::SystemViews::of(host.window());
        if (args.size() == 3) {
            nlohmann::ordered_json tree = hosts::ViewTree::json(page);
            tree["systemViews"] = nlohmann::ordered_json::array();
            for (const rt::Ref<UIView>& view : system)
                tree["systemViews"].push_back(hosts::ViewTree::json(view));
            std::printf("%s\n", tree.dump(2).c_str());
        } else {
            std::printf("%s", hosts::ViewTree::text(page).c_str());
            for (const rt::Ref<UIView>& view : system)
                std::printf("%s", hosts::ViewTree::text(view).c_str());
        }
        return 0;
    }
    if (verb == "screenshot" && args.size() == 4) {
        char* end = nullptr;
        const double scale = std::strtod(args[3].c_str(), &end);
        if (end == args[3].c_str() || *end || !(scale > 0))
            return usage();
        hosts::SettingsHost host(pane);
        host.screenshot(args[1], args[2], scale);
        std::printf("%s\n", args[2].c_str());
        return 0;
    }
    if (verb == "set" && (args.size() == 3 || (args.size() == 5 && args[3] == "--colour"))) {
        hosts::SettingsHost host(pane);
        std::printf("%s\n", host.set(args[1], args[2], args.size() == 5 ? args[4] : "").c_str());
        return 0;
    }
    if (verb == "pick-colour" && args.size() >= 3) {
        const bool withAlpha = args[2] == "--alpha";
        const std::vector<std::string> colours(args.begin() + (withAlpha ? 3 : 2), args.end());
        if (colours.empty())
            return usage();
        hosts::SettingsHost host(pane);
        printLines(host.pickColour(args[1], colours, withAlpha));
        return 0;
    }
    if (verb == "menu" && args.size() == 2) {
        hosts::SettingsHost host(pane);
        printLines(host.menu(args[1]));
        return 0;
    }
    if (verb == "choose" && args.size() == 3) {
        hosts::SettingsHost host(pane);
        std::printf("%s\n", host.choose(args[1], args[2]).c_str());
        return 0;
    }
    if (verb == "info" && args.size() == 2) {
        hosts::SettingsHost host(pane);
        printLines(host.info(args[1]));
        return 0;
    }
    if (verb == "pick-image" && (args.size() == 3 || args.size() == 4)) {
        using Kind = hosts::SettingsHost::ImageChoice::Kind;
        hosts::SettingsHost::ImageChoice choice;
        if (args.size() == 3 && args[2] == "--cancel")
            choice.kind = Kind::cancel;
        else if (args.size() == 4 && args[2] == "--photo")
            choice = {Kind::photo, args[3]};
        else if (args.size() == 4 && args[2] == "--file")
            choice = {Kind::hostFile, args[3]};
        else
            return usage();
        hosts::SettingsHost host(pane);
        for (const std::string& line : host.pickImage(args[1], choice))
            std::printf("%s\n", line.c_str());
        return 0;
    }
    if (verb == "apply" && (args.size() == 2 || args.size() == 3)) {
        hosts::SettingsHost host(pane);
        const std::size_t before = ns::SpawnedProcesses::count();
        for (const std::string& line : host.apply(args[1], args.size() == 3 ? args[2] : "Root"))
            std::printf("%s\n", line.c_str());
        std::fflush(stdout);
        const std::size_t started = ns::SpawnedProcesses::count() - before;
        for (const auto& child : ns::SpawnedProcesses::waitAll()) {
            if (WIFEXITED(child.status))
                std::printf("started process %d, exit status %d\n", child.pid, WEXITSTATUS(child.status));
            else
                std::printf("started process %d, ended by signal %d\n", child.pid, WTERMSIG(child.status));
        }
        if (started == 0)
            std::printf("no process started\n");
        return 0;
    }
    return usage();
}

} // namespace

int main(int argc, char** argv) {
    hosts::DeviceProcess::start("Preferences", "com.apple.Preferences", "/var/mobile");
    hosts::TweakLoader::loadFor("com.apple.Preferences", "Preferences");
    int status = 2;
    try {
        status = run(std::vector<std::string>(argv + 1, argv + argc));
    } catch (const std::exception& error) {
        std::fprintf(stderr, "Preferences: %s\n", error.what());
    }
    std::fflush(stdout);
    ns::SpawnedProcesses::waitAll(); // what the pane started has finished when the app is gone
    return status;
}
