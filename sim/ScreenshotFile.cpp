#include "ScreenshotFile.h"

#include "SimError.h"

#include <cstdio>
#include <filesystem>

namespace sim {

void ScreenshotFile::addOptions(cli::App* verb, Options& options, const std::string& defaultName) {
    verb->add_option("-o,--output", options.output, "The PNG file (default: " + defaultName + " here)");
    verb->add_option("--scale", options.scale, "Pixels per point")
        ->capture_default_str()
        ->check(cli::Range(0.25, 6.0));
}

std::string ScreenshotFile::path(const std::string& verb, const Options& options,
                                 const std::string& defaultName) {
    std::filesystem::path file = options.output.empty() ? defaultName : options.output;
    if (file.extension() != ".png")
        throw SimError(verb + ": the file must end in .png: " + file.string());
    file = std::filesystem::absolute(file);
    if (!std::filesystem::is_directory(file.parent_path()))
        throw SimError(verb + ": no folder " + file.parent_path().string());
    return file.string();
}

std::string ScreenshotFile::scaleText(const Options& options) {
    char text[32];
    std::snprintf(text, sizeof text, "%g", options.scale);
    return text;
}

} // namespace sim
