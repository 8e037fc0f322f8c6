#pragma once
// Paths as the device spells them ("/var/mobile/Library/Preferences/x.plist"),
// mapped under the simulated device's directory. Without a simulated device
// nothing maps, so the build machine's own /var is never touched.
#include <Foundation/FoundationDefines.h>
#include <Foundation/Result.h>

#include <optional>
#include <string>

#include <sys/stat.h>

namespace ns {

class FOUNDATION_EXPORT DevicePath {
  public:
    static constexpr const char* kRootVariable = "SIMDEVICE_ROOT";

    // The simulated device's directory on the host, when one is set.
    static std::optional<std::string> root();
    // Refuses relative paths and paths that climb out of the device ("..").
    // Symbolic links on the way resolve as the device resolves them, inside
    // its root: an absolute target starts again at the root, ".." stops there.
    // The answer lies in the root's real location.
    // Failure kinds: NoDevice, InvalidPath (also for link loops), OutsideDevice.
    // A link as the last component is followed (reading), or left to be
    // replaced (a file about to be renamed into its place).
    enum class FinalLink { Follow, Replace };

    static Result<std::string> toHost(const std::string& devicePath, FinalLink finalLink = FinalLink::Follow);
    // The kernel's own resolution of a device path inside the device root, in
    // one call: the item's status, links followed as toHost follows them.
    // Answers NotFound, NoDevice or InvalidPath; OutsideDevice where the
    // kernel cannot resolve inside a root (it then takes the toHost road).
    static Result<struct stat> statInDevice(const std::string& devicePath);
    // The status of what the host's own lookup finds at the device path, from
    // the device root, links followed as the host follows them, so it may land
    // outside the device. One system call, about the cost of a stat(); fit
    // only for telling whether an item is still the one seen before, never for
    // choosing what to read. Answers NotFound, NoDevice or InvalidPath.
    static Result<struct stat> statByHostLookup(const std::string& devicePath);
    // The same under a given root rather than the process's.
    static Result<std::string> toHostIn(const std::string& root, const std::string& devicePath,
                                        FinalLink finalLink = FinalLink::Follow);
};

} // namespace ns
