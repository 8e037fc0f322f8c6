#pragma once
// Who the current process is on the simulated device: its bundle identifier
// and home directory (its data container). Host programs set it at start.
#include <Foundation/FoundationDefines.h>

#include <optional>
#include <string>

namespace ns {

class FOUNDATION_EXPORT ProcessIdentity {
  public:
    static void configure(std::optional<std::string> bundleIdentifier,
                          std::optional<std::string> homeDevicePath);
    static std::optional<std::string> bundleIdentifier();
    // A device path.
    static std::optional<std::string> homeDirectory();
};

} // namespace ns
