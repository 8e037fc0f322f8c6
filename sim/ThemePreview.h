#pragma once
#include "Device.h"
#include "ThemeFile.h"
#include "ThemeStore.h"

#include <string>
#include <vector>

namespace sim {

// A theme seen before it is installed: imported into a throw-away copy of
// the device, applied there with a respring, and drawn as the screen sheet.
// The user's device is only read.
class ThemePreview {
  public:
    static void write(const Device& device, const Theme& theme, ThemeStore::Mode mode,
                      const std::string& path, double scale, const std::vector<std::string>& looks);
};

} // namespace sim
