#pragma once
#include <string>
#include <vector>

namespace sim {

// Runs a host program of the simulated device as its own process, with this
// process's environment (which carries the device root), and waits for it.
class HostRunner {
  public:
    struct Captured {
        int status = 0;     // exit status
        std::string output; // what it printed on stdout
        std::string errors; // and on stderr
    };

    // The folder vantorel-sim was built into; the host programs live beside it.
    static std::string programFolder();
    static std::string libraryFolder();
    // The program shares our terminal. Exit status of the program; throws
    // SimError when it cannot be started or crashes.
    static int run(const std::string& program, const std::vector<std::string>& arguments);
    // The same, keeping what the program prints. `environment` ("NAME=value")
    // replaces those variables for this program only, so threads of one
    // process can start programs in different looks.
    static Captured capture(const std::string& program, const std::vector<std::string>& arguments,
                            const std::vector<std::string>& environment = {});

  private:
    enum class Output { discard, keep };
    static Captured spawnAndWait(const std::string& program, const std::vector<std::string>& arguments,
                                 Output output, const std::vector<std::string>& environment = {});
};

} // namespace sim
