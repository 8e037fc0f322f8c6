#include "Command.h"
#include "HostRunner.h"
#include "SimError.h"

namespace sim {

namespace {
struct MessagesOptions {
    std::vector<std::string> selectors;
    std::string bundleIdentifier;
    std::string lacking; // comma-separated class names
};
} // namespace

void addMessagesCommands(CLI::App& app, Command& command) {
    auto options = std::make_shared<MessagesOptions>();
    CLI::App* messages = app.add_subcommand("messages", "Launch Messages on the device and ask it things");
    messages->require_subcommand(1);
    CLI::App* colours = messages->add_subcommand(
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
}

} // namespace sim
