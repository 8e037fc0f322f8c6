#pragma once
#include "ThemeFile.h"

#include <string>
#include <vector>

namespace sim {

// A theme shipped as its own Debian package: one theme file under
// /Library/Vantorel/Themes/, depending on the product.
class ThemePackage {
  public:
    static constexpr const char* kFolder = "/Library/Vantorel/Themes";

    // The package name a theme gets: the product's, then ".theme." and the
    // theme's name in the characters Debian allows.
    static std::string packageName(const Theme& theme);
    // Builds the package from a checked theme file at `themeFile` into
    // `output` (a host path). Throws SimError when dpkg-deb cannot.
    static void build(const std::string& themeFile, const Theme& theme, const std::string& version,
                      const std::string& output);

    struct Installed {
        std::string name;    // the file's stem, as `theme apply` takes it
        std::string file;    // device path
        std::string package; // the package that owns it, empty when none does
    };
    // The themes packages have installed on the entered device.
    static std::vector<Installed> installed(const std::string& adminFolder);
};

} // namespace sim
