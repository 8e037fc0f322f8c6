#pragma once
#include "DependencyCheck.h"
#include "Device.h"

#include <string>
#include <vector>

namespace sim {

// The device's own dpkg database, /var/lib/dpkg inside the device, and what
// dpkg-query reads from it.
class PackageDatabase {
  public:
    explicit PackageDatabase(const Device& device);

    // Lays out the database and records the device's own packages (those the
    // product depends on) as installed; keeps every record already there.
    void layOut() const;
    bool exists() const;

    struct Package {
        std::string name;
        std::string version;
        std::string state; // dpkg's: installed, unpacked, half-configured, config-files, ...
        std::string conflicts;
        std::string breaks;
    };
    // Every package dpkg knows to be on the device in some state.
    std::vector<Package> packages() const;
    // Name -> version of the installed ones.
    DependencyCheck::Versions installedVersions() const;

    std::string adminFolder() const; // on this machine
    const Device& device() const { return m_device; }

  private:
    const Device& m_device;
};

} // namespace sim
