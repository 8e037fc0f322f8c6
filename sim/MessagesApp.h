#pragma once
#include <optional>
#include <string>
#include <vector>

namespace sim {

// Messages launched on the device to draw one of its screens.
class MessagesApp {
  public:
    static const std::vector<std::string>& screens();
    // The Messages program and the arguments that draw `screen` into a file of
    // this machine at `scale` (as the hosts read it).
    static std::string program();
    static std::vector<std::string> screenshotArguments(const std::string& screen,
                                                        const std::string& hostFile, const std::string& scale,
                                                        const std::vector<std::string>& scrolling = {});
    // The "--scroll POINTS" arguments for a screen that scrolls, none when
    // not `given`; throws SimError for a value that is no offset or a screen
    // that does not scroll.
    static std::vector<std::string> scrollArguments(const std::string& screen, const std::string& scroll,
                                                    bool given);
    // A scroll offset: a finite number of points, 0 or more.
    static std::optional<double> parseScroll(const std::string& text);
    // Draws it in the look given ("light" or "dark"); throws SimError with
    // Messages' own one-line complaint when it fails.
    static void screenshot(const std::string& screen, const std::string& hostFile, const std::string& scale,
                           const std::string& appearance);
};

} // namespace sim
