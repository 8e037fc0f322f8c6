#include "QuietCommand.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/time.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>

extern char** environ;

QuietCommand::Outcome QuietCommand::run(std::vector<std::string> words, Errors errors) {
    std::vector<char*> arguments = argv(words);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    if (errors == Errors::discard)
        posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    pid_t child = 0;
    Outcome outcome;
    if (posix_spawn(&child, words[0].c_str(), &actions, nullptr, arguments.data(), environ) == 0) {
        int status = 0;
        rusage used{};
        if (wait4(child, &status, 0, &used) == child) {
            auto seconds = [](const timeval& t) { return static_cast<double>(t.tv_sec) + t.tv_usec / 1e6; };
            outcome.cpuSeconds = seconds(used.ru_utime) + seconds(used.ru_stime);
            outcome.peakMiB = static_cast<double>(used.ru_maxrss) / 1024;
            if (WIFEXITED(status))
                outcome.exitStatus = WEXITSTATUS(status);
        }
    }
    posix_spawn_file_actions_destroy(&actions);
    return outcome;
}

std::vector<char*> QuietCommand::argv(std::vector<std::string>& words) {
    std::vector<char*> arguments;
    for (std::string& word : words)
        arguments.push_back(word.data());
    arguments.push_back(nullptr);
    return arguments;
}

std::string QuietCommand::simProgram() {
    return (std::filesystem::read_symlink("/proc/self/exe").parent_path() / "vantorel-sim").string();
}
