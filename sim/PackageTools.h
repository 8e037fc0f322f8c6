#pragma once
#include "HostRunner.h"

#include <string>
#include <vector>

namespace sim {

// The machine's own dpkg programs, run with an argument vector (never a shell).
class PackageTools {
  public:
    // Runs dpkg, dpkg-deb or dpkg-query, found on PATH, keeping what it prints.
    static HostRunner::Captured run(const std::string& program, const std::vector<std::string>& arguments);
    // dpkg's complaint in one line: its warnings and its closing summary left
    // out, the program's prefix dropped, the remaining lines joined (or the
    // first alone, where the rest only follows from it).
    static std::string reason(const std::string& errors, bool firstOnly = false);
    // The architecture this machine's dpkg installs, which the simulated device shares.
    static std::string architecture();
};

} // namespace sim
