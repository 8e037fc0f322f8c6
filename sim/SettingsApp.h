#pragma once
#include "Device.h"
#include "SimError.h"

#include <HostExitStatus.h>

#include <optional>
#include <string>
#include <vector>

namespace sim {

// The device's Settings app with the pane open: every settings verb and the
// preview page drive the pane through here, one host process per call.
class SettingsApp {
  public:
    // The app refused or failed: `what()` is one line; `output` and
    // `complaint` keep everything it printed, for a terminal to show.
    class Failed : public SimError {
      public:
        Failed(const std::string& line, std::vector<std::string> output, std::string complaint,
               hosts::HostExitStatus status)
            : SimError(line), output(std::move(output)), complaint(std::move(complaint)), status(status) {}
        std::vector<std::string> output;
        std::string complaint;
        hosts::HostExitStatus status;
    };

    // Stops with a clear error unless `init` installed the pane.
    static void requirePane(const Device& device);
    // The app's output lines; warnings of a successful run go to stderr.
    static std::vector<std::string> run(std::vector<std::string> arguments);
    // The app's command line for a verb and its words: options, then "--" and
    // the values, so that a value starting with "-" is never read as an option.
    static std::vector<std::string> hostArguments(const std::vector<std::string>& arguments);

    // A colour as a picker is given it: eight upper-case hex digits, from any
    // spelling the pane's codec reads; nothing for text it would misread.
    static std::optional<std::string> pickerColour(const std::string& text);

    // What a finger does on a row (see `settings` in the README).
    static std::vector<std::string> set(const std::string& key, const std::string& value);
    static std::vector<std::string> pickColour(const std::string& key,
                                               const std::vector<std::string>& colours, bool withAlpha);
    static std::vector<std::string> choose(const std::string& key, const std::string& entry);
    enum class ImageSource { photo, hostFile };
    static std::vector<std::string> pickImage(const std::string& key, ImageSource source,
                                              const std::string& value);
    static std::vector<std::string> screenshot(const std::string& page, const std::string& hostFile,
                                               const std::string& scale);
};

} // namespace sim
