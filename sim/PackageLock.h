#pragma once
#include <chrono>
#include <string>

namespace sim {

// dpkg's front-end lock of a device's database, held as apt holds it: while
// it is ours, no other install or remove starts, and the dpkg we run is told
// (DPKG_FRONTEND_LOCKED) not to take it again.
class PackageLock {
  public:
    // Waits up to `patience` for another holder to finish, then throws
    // SimError naming it.
    explicit PackageLock(const std::string& adminFolder, std::chrono::milliseconds patience = {});
    ~PackageLock();
    PackageLock(const PackageLock&) = delete;
    PackageLock& operator=(const PackageLock&) = delete;

  private:
    int m_fd = -1;
};

} // namespace sim
