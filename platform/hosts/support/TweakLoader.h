#pragma once
#include <string>
#include <vector>

namespace hosts {

// Maps the tweak libraries whose filter names this process, before the host's
// own code runs. Filters are property lists beside the libraries in
// "/Library/MobileSubstrate/DynamicLibraries/": {Filter = {Bundles = (...); Executables = (...)}}.
class TweakLoader {
  public:
    static constexpr const char* kFolder = "/Library/MobileSubstrate/DynamicLibraries";

    // Answers the libraries it mapped, in name order; failures go to stderr.
    static std::vector<std::string> loadFor(const std::string& bundleIdentifier,
                                            const std::string& executable);
    static bool filterMatches(const std::string& filterDevicePath, const std::string& bundleIdentifier,
                              const std::string& executable);
};

} // namespace hosts
