#pragma once
#include <string>

namespace sim {

// dpkg's front-end lock of a device's database, held as apt holds it: while
// it is ours, no other install or remove starts, and the dpkg we run is told
// (DPKG_FRONTEND_LOCKED) not to take it again.
class PackageLock {
  public:
    // Throws SimError naming the holder when another process has it.
    explicit PackageLock(const std::string& adminFolder);
    ~PackageLock();
    PackageLock(const PackageLock&) = delete;
    PackageLock& operator=(const PackageLock&) = delete;

  private:
    int m_fd = -1;
};

} // namespace sim
