// The Settings app, reduced to what the simulator needs: it loads one pane
// from the device and shows or drives its pages.
//   Preferences --pane NAME pages [--json]
//   Preferences --pane NAME show PAGE
//   Preferences --pane NAME set KEY VALUE [--colour RRGGBBAA]
//   Preferences --pane NAME pick-colour KEY [--alpha] RRGGBBAA...
//   Preferences --pane NAME menu KEY
//   Preferences --pane NAME choose KEY ENTRY
//   Preferences --pane NAME info KEY
//   Preferences --pane NAME apply ANSWER [PAGE]
//   Preferences --pane NAME pick-image KEY (--photo NAME | --file FILE | --cancel)
//   Preferences --pane NAME views PAGE [--json]
//   Preferences --pane NAME screenshot PAGE FILE SCALE
// Before it exits it waits for every process the pane started.
#include "DeviceProcess.h"
#include "HostExitStatus.h"
#include "SettingsHost.h"
#include "SystemViews.h"
#include "TweakLoader.h"
#include "ViewTree.h"

#include <Render/Typesetter.h>

#include <Foundation/SpawnedProcesses.h>

#include <CLI/CLI.hpp>
#include <nlohmann/json.hpp>

#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

namespace {

using hosts::HostExitStatus;
using hosts::SettingsHost;

void printLines(const std::vector<std::string>& lines) {
    for (const std::string& line : lines)
        std::printf("%s\n", line.c_str());
}

// Every page with its rows and what a form needs to stand in for them (menus
// are opened here), so the whole pane costs one process.
void printPagesJson(SettingsHost& host) {
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

void printPages(SettingsHost& host, bool json) {
    if (json)
        return printPagesJson(host);
    for (const auto& page : host.pages())
        std::printf("%s\t%s\t%s\n", page.identifier.c_str(), page.title.c_str(),
                    page.controllerClass.c_str());
}

void printRows(SettingsHost& host, const std::string& page) {
    for (const auto& row : host.show(page))
        std::printf("%s\t%s\t%s\t%s\n", row.isGroup ? ("[" + row.title + "]").c_str() : row.title.c_str(),
                    row.cellClass.c_str(), row.key.c_str(), row.value.c_str());
}

// The page, then what the system shows over it.
void printViews(SettingsHost& host, const std::string& name, bool json) {
    rt::Ref<UIView> page = host.views(name);
    const std::vector<rt::Ref<UIView>> system = hosts::SystemViews::of(host.window());
    if (json) {
        nlohmann::ordered_json tree = hosts::ViewTree::json(page);
        tree["systemViews"] = nlohmann::ordered_json::array();
        for (const rt::Ref<UIView>& view : system)
            tree["systemViews"].push_back(hosts::ViewTree::json(view));
        std::printf("%s\n", tree.dump(2).c_str());
        return;
    }
    std::printf("%s", hosts::ViewTree::text(page).c_str());
    for (const rt::Ref<UIView>& view : system)
        std::printf("%s", hosts::ViewTree::text(view).c_str());
}

// What Apply started, once it has finished.
void applyAndWait(SettingsHost& host, const std::string& answer, const std::string& page) {
    const std::size_t before = ns::SpawnedProcesses::count();
    printLines(host.apply(answer, page));
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
}

// One verb's arguments; only those of the verb parsed are read.
struct Arguments {
    std::string pane;
    std::string page;
    std::string key;
    std::string value;
    std::string colour;
    std::string entry;
    std::string answer;
    std::string file;
    std::string photo;
    std::vector<std::string> colours;
    double scale = 0;
    bool json = false;
    bool alpha = false;
    bool cancel = false;
};

// The verbs, each run against the pane once the arguments are parsed.
class Verbs {
  public:
    explicit Verbs(CLI::App& app) : m_app(app) {
        m_app.add_option("--pane", m_arguments.pane, "The pane to open, as its entry names it")->required();
        m_app.require_subcommand(1);
        Arguments& a = m_arguments;

        CLI::App* pages = verb("pages", "List the pane's pages",
                               [this](SettingsHost& host) { printPages(host, m_arguments.json); });
        pages->add_flag("--json", a.json, "Every page with its rows, as one JSON object");

        verb("show", "Print a page's rows", [this](SettingsHost& host) { printRows(host, m_arguments.page); })
            ->add_option("PAGE", a.page)
            ->required();

        CLI::App* views = verb("views", "Print a page's view tree", [this](SettingsHost& host) {
            printViews(host, m_arguments.page, m_arguments.json);
        });
        views->add_option("PAGE", a.page)->required();
        views->add_flag("--json", a.json);

        CLI::App* screenshot = verb("screenshot", "Draw a page as PNG", [this](SettingsHost& host) {
            host.screenshot(m_arguments.page, m_arguments.file, m_arguments.scale);
            std::printf("%s\n", m_arguments.file.c_str());
        });
        screenshot->add_option("PAGE", a.page)->required();
        screenshot->add_option("FILE", a.file)->required();
        screenshot->add_option("SCALE", a.scale)->required()->check(CLI::PositiveNumber);

        CLI::App* set = verb("set", "Change a row as its control would", [this](SettingsHost& host) {
            std::printf("%s\n", host.set(m_arguments.key, m_arguments.value, m_arguments.colour).c_str());
        });
        set->add_option("KEY", a.key)->required();
        set->add_option("VALUE", a.value)->required();
        set->add_option("--colour", a.colour, "The colour a colour row's picker is given");

        CLI::App* pick = verb("pick-colour", "Pick colours in a row's picker", [this](SettingsHost& host) {
            printLines(host.pickColour(m_arguments.key, m_arguments.colours, m_arguments.alpha));
        });
        pick->add_option("KEY", a.key)->required();
        pick->add_option("COLOUR", a.colours)->required();
        pick->add_flag("--alpha", a.alpha);

        verb("menu", "Open a row's menu",
             [this](SettingsHost& host) { printLines(host.menu(m_arguments.key)); })
            ->add_option("KEY", a.key)
            ->required();

        CLI::App* choose = verb("choose", "Tap an entry of a row's menu", [this](SettingsHost& host) {
            std::printf("%s\n", host.choose(m_arguments.key, m_arguments.entry).c_str());
        });
        choose->add_option("KEY", a.key)->required();
        choose->add_option("ENTRY", a.entry)->required();

        verb("info", "Tap a row's info button",
             [this](SettingsHost& host) { printLines(host.info(m_arguments.key)); })
            ->add_option("KEY", a.key)
            ->required();

        CLI::App* apply = verb("apply", "Tap Apply and answer its alert", [this](SettingsHost& host) {
            applyAndWait(host, m_arguments.answer, m_arguments.page.empty() ? "Root" : m_arguments.page);
        });
        apply->add_option("ANSWER", a.answer)->required();
        apply->add_option("PAGE", a.page);

        CLI::App* image = verb("pick-image", "Choose in a row's image picker", [this](SettingsHost& host) {
            printLines(host.pickImage(m_arguments.key, imageChoice()));
        });
        image->add_option("KEY", a.key)->required();
        CLI::Option* photo = image->add_option("--photo", a.photo);
        CLI::Option* file = image->add_option("--file", a.file);
        CLI::Option* cancel = image->add_flag("--cancel", a.cancel);
        photo->excludes(file, cancel);
        file->excludes(cancel);
    }

    // Runs the parsed verb against the pane.
    void run() {
        // Only the verbs that show frames or pixels measure text with the font
        // machinery (at the width it is drawn at); the others skip its start-up.
        if (m_app.got_subcommand("views") || m_app.got_subcommand("screenshot"))
            render::Typesetter::useForLayout();
        SettingsHost host(m_arguments.pane);
        m_chosen(host);
    }

  private:
    using Action = std::function<void(SettingsHost&)>;

    CLI::App* verb(const char* name, const char* description, Action action) {
        CLI::App* command = m_app.add_subcommand(name, description);
        command->callback([this, action] { m_chosen = action; });
        return command;
    }

    SettingsHost::ImageChoice imageChoice() const {
        using Kind = SettingsHost::ImageChoice::Kind;
        if (m_arguments.cancel)
            return {Kind::cancel, {}};
        if (!m_arguments.photo.empty())
            return {Kind::photo, m_arguments.photo};
        if (m_arguments.file.empty())
            throw hosts::SettingsError("pick-image: give --photo NAME, --file FILE or --cancel");
        return {Kind::hostFile, m_arguments.file};
    }

    CLI::App& m_app;
    Arguments m_arguments;
    Action m_chosen;
};

int run(int argc, char** argv) {
    CLI::App app{"The Settings app of the simulated device, with one pane open"};
    Verbs verbs(app);
    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& error) {
        const int shown = app.exit(error);
        return shown == 0 ? 0 : hosts::exitCode(HostExitStatus::refused);
    }
    verbs.run();
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    hosts::DeviceProcess::start("Preferences", "com.apple.Preferences", "/var/mobile");
    hosts::TweakLoader::loadFor("com.apple.Preferences", "Preferences");
    int status = hosts::exitCode(HostExitStatus::internal);
    try {
        status = run(argc, argv);
    } catch (const hosts::SettingsError& error) {
        std::fprintf(stderr, "Preferences: %s\n", error.what());
        status = hosts::exitCode(error.status());
    } catch (const std::exception& error) {
        std::fprintf(stderr, "Preferences: %s\n", error.what());
    }
    std::fflush(stdout);
    ns::SpawnedProcesses::waitAll(); // what the pane started has finished when the app is gone
    return status;
}
