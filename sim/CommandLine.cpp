#include "CommandLine.h"

#include <Foundation/PrintableText.h>

#include <CLI/CLI.hpp>

#include <cstdio>

namespace sim::cli {

Check IsMember(std::vector<std::string> names) {
    return {Check::Kind::member, std::move(names)};
}

Check Range(int low, int high) {
    return {Check::Kind::integer, {}, double(low), double(high)};
}

Check Range(std::size_t low, std::size_t high) {
    return {Check::Kind::count, {}, double(low), double(high)};
}

Check Range(double low, double high) {
    return {Check::Kind::real, {}, low, high};
}

Option* Option::required() {
    m_option->required();
    return this;
}

Option* Option::check(const Check& check) {
    // Each kind keeps the library's own wording ("INT in [0 - 65535]").
    switch (check.kind) {
    case Check::Kind::member:
        m_option->check(CLI::IsMember(check.members));
        break;
    case Check::Kind::integer:
        m_option->check(CLI::Range(int(check.low), int(check.high)));
        break;
    case Check::Kind::count:
        m_option->check(CLI::Range(std::size_t(check.low), std::size_t(check.high)));
        break;
    case Check::Kind::real:
        m_option->check(CLI::Range(check.low, check.high));
        break;
    }
    return this;
}

Option* Option::excludes(Option* other) {
    m_option->excludes(other->m_option);
    return this;
}

Option* Option::excludes(Option* first, Option* second) {
    m_option->excludes(first->m_option, second->m_option);
    return this;
}

Option* Option::capture_default_str() {
    m_option->capture_default_str();
    return this;
}

Option* Option::each(std::function<void(const std::string&)> action) {
    m_option->each(std::move(action));
    return this;
}

std::size_t Option::count() const {
    return m_option->count();
}

App::~App() = default;

App* App::add_subcommand(const std::string& name, const std::string& description) {
    m_subcommands.push_back(std::make_unique<App>(m_app->add_subcommand(name, description)));
    return m_subcommands.back().get();
}

Option* App::keep(CLI::Option* option) {
    m_options.push_back(std::make_unique<Option>(option));
    return m_options.back().get();
}

Option* App::add_option(const std::string& name, std::string& target, const std::string& description) {
    return keep(m_app->add_option(name, target, description));
}

Option* App::add_option(const std::string& name, std::optional<std::string>& target,
                        const std::string& description) {
    return keep(m_app->add_option(name, target, description));
}

Option* App::add_option(const std::string& name, std::vector<std::string>& target,
                        const std::string& description) {
    return keep(m_app->add_option(name, target, description));
}

Option* App::add_option(const std::string& name, int& target, const std::string& description) {
    return keep(m_app->add_option(name, target, description));
}

Option* App::add_option(const std::string& name, std::size_t& target, const std::string& description) {
    return keep(m_app->add_option(name, target, description));
}

Option* App::add_option(const std::string& name, double& target, const std::string& description) {
    return keep(m_app->add_option(name, target, description));
}

Option* App::add_flag(const std::string& name, bool& target, const std::string& description) {
    return keep(m_app->add_flag(name, target, description));
}

App* App::callback(std::function<void()> action) {
    m_app->callback(std::move(action));
    return this;
}

App* App::require_subcommand(int count) {
    m_app->require_subcommand(count);
    return this;
}

App* App::fallthrough() {
    m_app->fallthrough();
    return this;
}

std::vector<std::string> App::subcommandNames() const {
    std::vector<std::string> names;
    for (const CLI::App* verb : m_app->get_subcommands({}))
        names.push_back(verb->get_name());
    return names;
}

std::size_t App::count(const std::string& name) const {
    return m_app->count(name);
}

Parser::Parser(const std::string& description)
    : m_parser(std::make_unique<CLI::App>(description)), m_root(std::make_unique<App>(m_parser.get())) {}

Parser::~Parser() = default;

std::optional<int> Parser::run(int argc, char** argv) {
    try {
        m_parser->parse(argc, argv);
    } catch (const CLI::CallForHelp& help) {
        return m_parser->exit(help);
    } catch (const CLI::CallForAllHelp& help) {
        return m_parser->exit(help);
    } catch (const CLI::ParseError& error) {
        // Escaped: the message quotes what was typed.
        std::fprintf(stderr, "vantorel-sim: %s (see --help)\n",
                     ns::PrintableText::escaped(error.what()).c_str());
        return 2;
    }
    return std::nullopt;
}

} // namespace sim::cli
