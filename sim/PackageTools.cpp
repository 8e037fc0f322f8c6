#include "PackageTools.h"

#include "SimError.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <sstream>

namespace sim {

namespace {

std::string findOnPath(const std::string& program) {
    const char* path = std::getenv("PATH");
    std::istringstream folders(path && *path ? path : "/usr/bin:/bin");
    for (std::string folder; std::getline(folders, folder, ':');) {
        if (folder.empty())
            continue;
        const std::string candidate = folder + "/" + program;
        if (::access(candidate.c_str(), X_OK) == 0)
            return candidate;
    }
    throw SimError(program + " is not installed on this machine (it comes with the dpkg package)");
}

std::string trimmed(const std::string& text) {
    const auto first = text.find_first_not_of(" \t\r\n");
    const auto last = text.find_last_not_of(" \t\r\n");
    return first == std::string::npos ? std::string() : text.substr(first, last - first + 1);
}

} // namespace

HostRunner::Captured PackageTools::run(const std::string& program,
                                       const std::vector<std::string>& arguments) {
    return HostRunner::capture(findOnPath(program), arguments);
}

std::string PackageTools::reason(const std::string& errors, bool firstOnly) {
    std::istringstream lines(errors);
    std::string joined;
    for (std::string line; std::getline(lines, line);) {
        if (line.starts_with("Errors were encountered while processing"))
            break; // a list of what failed, already named
        if (line.find(": warning: ") != std::string::npos || trimmed(line).empty())
            continue;
        // What dpkg says is either its own line or indented below "error processing";
        // other lines are advice (how not to break a lock), not the reason.
        if (!line.starts_with("dpkg") && line[0] != ' ')
            continue;
        // "dpkg: error processing archive X (--install):" only introduces the reason below it.
        if (line.find("error processing") != std::string::npos && line.ends_with("):"))
            continue;
        for (const char* prefix : {"dpkg: error: ", "dpkg-deb: error: ", "dpkg-deb (subprocess): ", "dpkg: ",
                                   "dpkg-deb: ", "dpkg-query: "})
            if (line.starts_with(prefix)) {
                line.erase(0, std::string(prefix).size());
                break;
            }
        line = trimmed(line);
        if (line.empty())
            continue;
        if (line.ends_with(".") && !line.ends_with(".."))
            line.pop_back();
        if (!joined.empty())
            joined += joined.ends_with(":") ? " " : "; ";
        joined += line;
        if (firstOnly)
            break;
    }
    return joined.empty() ? "dpkg failed without saying why" : joined;
}

std::string PackageTools::architecture() {
    const HostRunner::Captured answer = run("dpkg", {"--print-architecture"});
    const std::string architecture = trimmed(answer.output);
    if (answer.status != 0 || architecture.empty())
        throw SimError("dpkg cannot tell this machine's architecture: " + reason(answer.errors));
    return architecture;
}

} // namespace sim
