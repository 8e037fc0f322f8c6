#include <Foundation/PlistFileLock.h>

#include <Foundation/DevicePath.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <map>
#include <sys/file.h>
#include <system_error>
#include <thread>
#include <unistd.h>

namespace ns {

namespace {

struct Held {
    int fd = -1;
    int depth = 0;
};

// flock locks belong to an open file, so each thread opens its own: threads
// then exclude each other as processes do, and a thread may nest.
thread_local std::map<std::string, Held> t_held;

std::string sideFile(const std::string& hostPath) {
    const std::size_t slash = hostPath.rfind('/');
    const std::string directory = slash == std::string::npos ? "." : hostPath.substr(0, slash);
    const std::string name = hostPath.substr(slash == std::string::npos ? 0 : slash + 1);
    return directory + "/." + name + ".lock";
}

} // namespace

Result<PlistFileLock> PlistFileLock::acquire(const std::string& devicePath) {
    // Named as writers name the file they replace.
    return acquireAtHostPath(TRY(DevicePath::toHost(devicePath, DevicePath::FinalLink::Replace)));
}

Result<PlistFileLock> PlistFileLock::acquireAtHostPath(const std::string& hostPath) {
    if (auto held = t_held.find(hostPath); held != t_held.end()) {
        ++held->second.depth;
        return PlistFileLock(hostPath);
    }
    const std::string lockPath = sideFile(hostPath);
    const int fd = ::open(lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK, 0644);
    if (fd < 0) {
        const int code = errno;
        return Failure{FailureKind::Unwritable, hostPath,
                       "cannot open its lock file: " + std::generic_category().message(code)};
    }
    // Polled rather than blocking, so that a writer stopped while holding the
    // lock costs a bounded wait and a clear failure, not a hang.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(kWaitMilliseconds);
    auto pause = std::chrono::microseconds(200);
    while (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        if ((errno != EWOULDBLOCK && errno != EINTR) || std::chrono::steady_clock::now() >= deadline) {
            const int code = errno;
            ::close(fd);
            if (code != EWOULDBLOCK && code != EINTR)
                return Failure{FailureKind::Unwritable, hostPath,
                               "cannot lock: " + std::generic_category().message(code)};
            return Failure{FailureKind::Locked, hostPath, "another writer holds its lock"};
        }
        std::this_thread::sleep_for(pause);
        pause = std::min(pause * 2, std::chrono::microseconds(20'000));
    }
    t_held[hostPath] = Held{fd, 1};
    return PlistFileLock(hostPath);
}

PlistFileLock::PlistFileLock(PlistFileLock&& other) noexcept : m_hostPath(std::move(other.m_hostPath)) {
    other.m_hostPath.clear();
}

PlistFileLock::~PlistFileLock() {
    if (m_hostPath.empty())
        return;
    auto held = t_held.find(m_hostPath);
    if (held == t_held.end() || --held->second.depth > 0)
        return;
    // Closing the only descriptor releases the lock.
    ::close(held->second.fd);
    t_held.erase(held);
}

} // namespace ns
