#pragma once
#include "PackageDatabase.h"

#include <chrono>
#include <string>
#include <vector>

namespace sim {

// Installs and removes packages on a device with the machine's dpkg, run on
// the device's root. Every check that could leave dpkg half done runs first,
// under dpkg's lock; a refusal changes nothing and is one line.
class PackageManager {
  public:
    // `patience`: how long to wait for another install or remove to finish.
    explicit PackageManager(const Device& device, std::chrono::milliseconds patience = {});

    struct Installed {
        std::string name;
        std::string version;
    };
    std::vector<Installed> install(const std::vector<std::string>& hostFiles) const;
    void remove(const std::string& name, bool purge) const;

  private:
    // dpkg on the device; on failure its reason, with the database put back
    // when dpkg left only a record of its attempt.
    void runDpkg(const std::vector<std::string>& action, const std::vector<std::string>& names,
                 const std::string& what) const;

    const Device& m_device;
    PackageDatabase m_database;
    std::chrono::milliseconds m_patience;
};

} // namespace sim
