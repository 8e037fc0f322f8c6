#pragma once
#include <string>
#include <vector>

namespace sim {

// Runs a host program of the simulated device as its own process, with this
// process's environment (which carries the device root), and waits for it.
class HostRunner {
public:
    // The folder vantorel-sim was built into; the host programs live beside it.
    static std::string programFolder();
    static std::string libraryFolder();
    // Exit status of the program; throws SimError when it cannot be started.
    static int run(const std::string& program, const std::vector<std::string>& arguments);
};

} // namespace sim
