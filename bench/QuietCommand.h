#pragma once
// Runs a command line to its end with its output thrown away, for the
// benchmarks that time whole processes through the built command line.
#include <string>
#include <vector>

struct QuietCommand {
    // What the operating system accounts for the finished command and the
    // processes it waited for.
    struct Outcome {
        int exitStatus = -1; // also when it could not start or a signal ended it
        double cpuSeconds = 0;
        double peakMiB = 0;
        bool ok() const { return exitStatus == 0; }
    };
    enum class Errors { discard, show };

    static Outcome run(std::vector<std::string> words, Errors errors = Errors::discard);
    // The null-terminated argument vector of `words`, which must outlive it.
    static std::vector<char*> argv(std::vector<std::string>& words);
    // vantorel-sim, built beside the running benchmark.
    static std::string simProgram();
};
