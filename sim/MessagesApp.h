#pragma once
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
    static std::vector<std::string>
    screenshotArguments(const std::string& screen, const std::string& hostFile, const std::string& scale);
    // Draws it in the look given ("light" or "dark"); throws SimError with
    // Messages' own one-line complaint when it fails.
    static void screenshot(const std::string& screen, const std::string& hostFile, const std::string& scale,
                           const std::string& appearance);
};

} // namespace sim
