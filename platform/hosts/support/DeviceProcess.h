#pragma once
#include <optional>
#include <string>

namespace hosts {

// What every simulated process does first: find its device, take on its
// identity and note its launch in "/var/log/launches".
class DeviceProcess {
  public:
    // Stops the process with a message when SIMDEVICE_ROOT is not set.
    // `launchLine` is what "/var/log/launches" records (the name by default).
    static void start(const std::string& name, std::optional<std::string> bundleIdentifier,
                      std::optional<std::string> homeDevicePath, const std::string& launchLine = {});
    static void noteLaunch(const std::string& line);
    // Where the host programs were built, so that one can start another.
    static std::string programFolder();
};

} // namespace hosts
