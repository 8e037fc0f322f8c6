#include "Device.h"

#include "SimError.h"

#include <Foundation/DevicePath.h>

#include <cstdlib>

namespace sim {

namespace fs = std::filesystem;

namespace {
// Folders every device has; later features add their own files inside them.
const char* const kSkeleton[] = {
    "var/mobile/Library/Preferences",
    "var/mobile/Library/SMS",
    "var/mobile/Containers/Data/Application",
    "var/log",
    "Library/MobileSubstrate/DynamicLibraries",
    "Library/PreferenceBundles",
    "usr/bin",
};
} // namespace

Device::Device(fs::path root) : m_root(fs::absolute(std::move(root)).lexically_normal()) {
    // The device's files would land on the build machine's own.
    if (m_root == m_root.root_path())
        throw SimError("the device folder cannot be " + m_root.string());
}

Device Device::resolve(const std::optional<std::string>& option) {
    if (option) {
        if (option->empty())
            throw SimError("--device names no folder");
        return Device(*option);
    }
    if (const char* data = std::getenv("XDG_DATA_HOME"); data && *data)
        return Device(fs::path(data) / "vantorel-sim" / "device");
    const char* home = std::getenv("HOME");
    if (!home || !*home)
        throw SimError("no device: pass --device DIR (HOME is not set)");
    return Device(fs::path(home) / ".local/share/vantorel-sim/device");
}

bool Device::exists() const {
    std::error_code error;
    return fs::is_directory(m_root / "var/mobile/Library/Preferences", error);
}

void Device::createSkeleton() const {
    for (const char* folder : kSkeleton) {
        // Resolved first, so that a folder linked out of the device is not followed.
        const fs::path host = hostPath(std::string("/") + folder);
        std::error_code error;
        fs::create_directories(host, error);
        if (error)
            throw SimError("cannot create " + host.string() + ": " + error.message());
    }
}

void Device::requireInitialised() const {
    if (!exists())
        throw SimError("no simulated device at " + m_root.string() + " (run: vantorel-sim --device " +
                       m_root.string() + " init)");
}

void Device::enter() const {
    setenv("SIMDEVICE_ROOT", m_root.c_str(), 1);
}

fs::path Device::hostPath(const std::string& devicePath) const {
    // Device paths come from files on the device too (the registry): one that
    // climbs out of the root is refused, and links resolve inside the device.
    auto host = ns::DevicePath::toHostIn(m_root.string(), devicePath);
    if (!host)
        throw SimError("device path " + devicePath +
                       (host.kind() == ns::FailureKind::OutsideDevice
                            ? std::string(" leads outside the device")
                            : ": " + host.failure().detail));
    return host.value();
}

} // namespace sim
