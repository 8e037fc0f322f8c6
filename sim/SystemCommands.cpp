#include "Command.h"
#include "Respring.h"
#include "SimError.h"

#include <Foundation/PrintableText.h>

#include <cstdio>
#include <deque>
#include <fstream>

namespace sim {

void addSystemCommands(cli::App& app, Command& command) {
    cli::App* respring = app.add_subcommand(
        "respring",
        "Restart the user interface (what \"Apply\" does) and wait until SpringBoard has launched");
    respring->callback([&command] {
        Respring::run(command.device());
        std::printf("respring finished\n");
    });

    auto tail = std::make_shared<size_t>(0);
    cli::App* log = app.add_subcommand("log", "Print the device's system log");
    log->add_option("--tail", *tail, "Only the last N lines")->check(cli::Range(size_t{1}, size_t{1} << 30));
    log->callback([&command, tail] {
        std::ifstream file(command.device().hostPath("/var/log/syslog"));
        std::deque<std::string> lines;
        for (std::string line; std::getline(file, line);) {
            lines.push_back(line);
            if (*tail && lines.size() > *tail)
                lines.pop_front();
        }
        // Lines hold what processes were given: printed so they cannot act on the terminal.
        for (const std::string& line : lines)
            std::printf("%s\n", ns::PrintableText::escaped(line).c_str());
    });
}

} // namespace sim
