#pragma once
#include <filesystem>
#include <optional>
#include <string>

namespace sim {

// A simulated device: a directory laid out like the phone's file system.
class Device {
  public:
    explicit Device(std::filesystem::path root);

    // The device named by --device, or the user's default one.
    static Device resolve(const std::optional<std::string>& option);

    const std::filesystem::path& root() const { return m_root; }
    bool exists() const;
    // Creates the folder skeleton; keeps whatever is there already.
    void createSkeleton() const;
    // Stops with a clear error unless `init` has laid the device out.
    void requireInitialised() const;
    // Makes this process's device-path calls (store, files) land in this device.
    void enter() const;
    std::filesystem::path hostPath(const std::string& devicePath) const;

  private:
    std::filesystem::path m_root;
};

} // namespace sim
