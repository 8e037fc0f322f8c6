#include "DeviceProcess.h"

#include <Foundation/DeviceLog.h>
#include <Foundation/DevicePath.h>
#include <Foundation/ProcessIdentity.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>

namespace hosts {

void DeviceProcess::start(const std::string& name, std::optional<std::string> bundleIdentifier,
                          std::optional<std::string> homeDevicePath, const std::string& launchLine) {
    if (!ns::DevicePath::root()) {
        std::fprintf(stderr, "%s: no simulated device (SIMDEVICE_ROOT is not set)\n", name.c_str());
        std::exit(2);
    }
    ns::ProcessIdentity::configure(std::move(bundleIdentifier), std::move(homeDevicePath));
    noteLaunch(launchLine.empty() ? name : launchLine);
}

void DeviceProcess::noteLaunch(const std::string& line) {
    ns::DeviceLog::appendLine("/var/log/launches", line);
}

std::string DeviceProcess::programFolder() {
    std::error_code error;
    auto self = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::string() : self.parent_path().string();
}

} // namespace hosts
