#pragma once
// Paths as the device spells them ("/var/mobile/Library/Preferences/x.plist"),
// mapped under the simulated device's directory. Without a simulated device
// nothing maps, so the build machine's own /var is never touched.
#include <Foundation/FoundationDefines.h>
#include <Foundation/Result.h>

#include <optional>
#include <string>

namespace ns {

class FOUNDATION_EXPORT DevicePath {
  public:
    static constexpr const char* kRootVariable = "SIMDEVICE_ROOT";

    // The simulated device's directory on the host, when one is set.
    static std::optional<std::string> root();
    // Refuses relative paths and paths that climb out of the device ("..").
    // Failure kinds: NoDevice, InvalidPath, OutsideDevice.
    static Result<std::string> toHost(const std::string& devicePath);
};

} // namespace ns
