#include "HostRunner.h"

#include "SimError.h"

#include <spawn.h>
#include <sys/wait.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

extern char** environ;

namespace sim {

std::string HostRunner::programFolder() {
    std::error_code error;
    auto self = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error)
        throw SimError("cannot find where vantorel-sim is installed: " + error.message());
    return self.parent_path().string();
}

std::string HostRunner::libraryFolder() {
    return (std::filesystem::path(programFolder()).parent_path() / "lib").string();
}

int HostRunner::run(const std::string& program, const std::vector<std::string>& arguments) {
    std::vector<std::string> words{program};
    words.insert(words.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& word : words)
        argv.push_back(word.data());
    argv.push_back(nullptr);
    std::fflush(nullptr); // what we printed so far comes before what the program prints
    pid_t child = 0;
    int error = posix_spawn(&child, program.c_str(), nullptr, nullptr, argv.data(), environ);
    if (error != 0)
        throw SimError("cannot start " + program + ": " + std::strerror(error));
    int status = 0;
    while (waitpid(child, &status, 0) < 0)
        if (errno != EINTR)
            throw SimError("lost " + program + ": " + std::strerror(errno));
    if (WIFSIGNALED(status))
        throw SimError(std::filesystem::path(program).filename().string() + " crashed (signal " +
                       std::to_string(WTERMSIG(status)) + ")");
    return WIFEXITED(status) ? WEXITSTATUS(status) : 1;
}

} // namespace sim
