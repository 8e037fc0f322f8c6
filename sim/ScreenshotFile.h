#pragma once
#include "CommandLine.h"

#include <string>

namespace sim {

// What the screenshot verbs share: where the picture goes and at what scale.
class ScreenshotFile {
  public:
    struct Options {
        std::string output; // empty: the verb's default name in the current folder
        double scale = 3.0;
    };
    // "-o,--output FILE.png" and "--scale N" (0.25 to 6 pixels per point).
    static void addOptions(cli::App* verb, Options& options, const std::string& defaultName);
    // The absolute path of the file to write: the given one or `defaultName`,
    // ending in ".png", in a folder that exists; otherwise a SimError naming `verb`.
    static std::string path(const std::string& verb, const Options& options, const std::string& defaultName);
    // The scale as the hosts read it.
    static std::string scaleText(const Options& options);
};

} // namespace sim
