#pragma once
#include <MobileCoreServices/LSApplicationProxy.h>

#include <optional>
#include <string>
#include <vector>

namespace mcs {

// The simulated device's list of installed applications, a property list at
// kRegistryPath: {"Applications": [{"BundleIdentifier", "Type", "DataContainer"}]}.
class MOBILECORESERVICES_EXTERN ApplicationRegistry {
  public:
    static constexpr const char* kRegistryPath =
        "/var/mobile/Library/MobileInstallation/ApplicationRegistry.plist";

    struct Application {
        std::string bundleIdentifier;
        long type = 0;                            // 0 user, 1 system
        std::optional<std::string> dataContainer; // device path ending in "/"
    };

    static std::vector<Application> read();
    // False when the file cannot be written.
    static bool write(const std::vector<Application>& applications);
    // The first application with exactly this identifier.
    static std::optional<Application> find(const std::string& bundleIdentifier);
};

} // namespace mcs
