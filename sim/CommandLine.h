#pragma once
// The command line's parser behind a small face: only CommandLine.cpp
// includes the parser library, whose header costs every unit that sees it
// seconds to compile. The names follow the library's, so a verb reads the same.
#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace CLI {
class App;
class Option;
} // namespace CLI

namespace sim::cli {

// A check on an option's value: one of some names, or a number in a range.
struct Check {
    enum class Kind { member, integer, count, real };
    Kind kind = Kind::member;
    std::vector<std::string> members;
    double low = 0;
    double high = 0;
};
Check IsMember(std::vector<std::string> names);
Check Range(int low, int high);
Check Range(std::size_t low, std::size_t high);
Check Range(double low, double high);

class Option {
  public:
    explicit Option(CLI::Option* option) : m_option(option) {}
    Option* required();
    Option* check(const Check& check);
    Option* excludes(Option* other);
    Option* excludes(Option* first, Option* second);
    Option* capture_default_str();
    // Runs for each value given, as it is parsed.
    Option* each(std::function<void(const std::string&)> action);
    std::size_t count() const;

  private:
    CLI::Option* m_option;
};

class App {
  public:
    explicit App(CLI::App* app) : m_app(app) {}
    App(const App&) = delete;
    App& operator=(const App&) = delete;
    ~App();

    App* add_subcommand(const std::string& name, const std::string& description);
    Option* add_option(const std::string& name, std::string& target, const std::string& description = "");
    Option* add_option(const std::string& name, std::optional<std::string>& target,
                       const std::string& description = "");
    Option* add_option(const std::string& name, std::vector<std::string>& target,
                       const std::string& description = "");
    Option* add_option(const std::string& name, int& target, const std::string& description = "");
    Option* add_option(const std::string& name, std::size_t& target, const std::string& description = "");
    Option* add_option(const std::string& name, double& target, const std::string& description = "");
    Option* add_flag(const std::string& name, bool& target, const std::string& description = "");
    // Runs once the verb's arguments are parsed.
    App* callback(std::function<void()> action);
    App* require_subcommand(int count);
    // Options of this verb may follow its subcommand's name.
    App* fallthrough();
    std::vector<std::string> subcommandNames() const;
    // How often the option named `name` was given.
    std::size_t count(const std::string& name) const;

  private:
    Option* keep(CLI::Option* option);

    CLI::App* m_app;
    std::vector<std::unique_ptr<App>> m_subcommands;
    std::vector<std::unique_ptr<Option>> m_options;
};

// The program's command line: owns the parser and its root verb.
class Parser {
  public:
    explicit Parser(const std::string& description);
    ~Parser();
    App& app() { return *m_root; }
    // Parses and runs the chosen verb's callbacks. Help and parse errors are
    // handled here: the exit status to end with (help 0, a mistake 2, after
    // one line naming it), or nothing when the verb ran.
    std::optional<int> run(int argc, char** argv);

  private:
    std::unique_ptr<CLI::App> m_parser;
    std::unique_ptr<App> m_root;
};

} // namespace sim::cli
