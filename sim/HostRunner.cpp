#include "HostRunner.h"

#include "SimError.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string_view>

extern char** environ;

namespace sim {

namespace {

// A temporary file the child writes into; read back once it has exited, so
// neither stream can fill up a pipe and stall the child.
struct Spool {
    Spool() : file(std::tmpfile(), &std::fclose) {
        if (!file)
            throw SimError(std::string("cannot start a host program: ") + std::strerror(errno));
    }
    std::string contents() const {
        std::string text;
        std::rewind(file.get());
        char buffer[4096];
        for (size_t got; (got = std::fread(buffer, 1, sizeof buffer, file.get())) > 0;)
            text.append(buffer, got);
        return text;
    }
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> file;
};

} // namespace

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
    return spawnAndWait(program, arguments, Output::discard).status;
}

HostRunner::Captured HostRunner::capture(const std::string& program,
                                         const std::vector<std::string>& arguments,
                                         const std::vector<std::string>& environment) {
    return spawnAndWait(program, arguments, Output::keep, environment);
}

HostRunner::Captured HostRunner::spawnAndWait(const std::string& program,
                                              const std::vector<std::string>& arguments, Output output,
                                              const std::vector<std::string>& environment) {
    std::vector<std::string> words{program};
    words.insert(words.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& word : words)
        argv.push_back(word.data());
    argv.push_back(nullptr);
    std::vector<std::string> variables = environment;
    for (char** entry = environ; *entry; ++entry) {
        const std::string_view text(*entry);
        const std::string_view name = text.substr(0, text.find('=') + 1);
        bool replaced = false;
        for (const std::string& given : environment)
            replaced = replaced || given.starts_with(name);
        if (!replaced)
            variables.emplace_back(text);
    }
    std::vector<char*> envp;
    for (std::string& variable : variables)
        envp.push_back(variable.data());
    envp.push_back(nullptr);

    std::unique_ptr<Spool> out, err;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (output == Output::keep) {
        out = std::make_unique<Spool>();
        err = std::make_unique<Spool>();
        posix_spawn_file_actions_adddup2(&actions, fileno(out->file.get()), STDOUT_FILENO);
        posix_spawn_file_actions_adddup2(&actions, fileno(err->file.get()), STDERR_FILENO);
    }
    std::fflush(nullptr); // what we printed so far comes before what the program prints
    pid_t child = 0;
    int error = posix_spawn(&child, program.c_str(), &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    if (error != 0)
        throw SimError("cannot start " + program + ": " + std::strerror(error) + " (run make first)");
    int status = 0;
    while (waitpid(child, &status, 0) < 0)
        if (errno != EINTR)
            throw SimError("lost " + program + ": " + std::strerror(errno));
    if (WIFSIGNALED(status))
        throw SimError(std::filesystem::path(program).filename().string() + " crashed (signal " +
                       std::to_string(WTERMSIG(status)) + ")");
    Captured result;
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : 1;
    if (output == Output::keep) {
        result.output = out->contents();
        result.errors = err->contents();
    }
    return result;
}

} // namespace sim
