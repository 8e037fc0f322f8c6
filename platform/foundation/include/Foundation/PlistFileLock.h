#pragma once
// The advisory lock every read-modify-write of a property-list file holds, so
// that concurrent writers (other processes and other threads) lose nothing.
// It is taken on a side file beside the target (".<name>.lock"), which is never
// removed: removing it would let two writers hold two different locks.
// A thread that holds a file's lock may take it again; the lock is released
// when the outermost holder lets go.
#include <Foundation/FoundationDefines.h>
#include <Foundation/Result.h>

#include <string>

namespace ns {

class FOUNDATION_EXPORT PlistFileLock {
  public:
    // How long a writer waits for another before giving up.
    static constexpr int kWaitMilliseconds = 10'000;

    // Failure kinds: those of DevicePath::toHost, Unwritable (the side file
    // cannot be made), Locked (another writer held it for kWaitMilliseconds).
    static Result<PlistFileLock> acquire(const std::string& devicePath);
    static Result<PlistFileLock> acquireAtHostPath(const std::string& hostPath);

    PlistFileLock(PlistFileLock&& other) noexcept;
    PlistFileLock& operator=(PlistFileLock&&) = delete;
    PlistFileLock(const PlistFileLock&) = delete;
    PlistFileLock& operator=(const PlistFileLock&) = delete;
    ~PlistFileLock();

    const std::string& hostPath() const { return m_hostPath; }

  private:
    explicit PlistFileLock(std::string hostPath) : m_hostPath(std::move(hostPath)) {}
    // Empty once moved from.
    std::string m_hostPath;
};

} // namespace ns
