#include "PackageLock.h"

#include "SimError.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <thread>

namespace sim {

PackageLock::PackageLock(const std::string& adminFolder, std::chrono::milliseconds patience) {
    const std::string path = adminFolder + "/lock-frontend";
    m_fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0640);
    if (m_fd < 0)
        throw SimError("cannot open dpkg's lock " + path + ": " + std::strerror(errno));
    struct flock lock {};
    lock.l_type = F_WRLCK;
    lock.l_whence = SEEK_SET;
    const auto giveUp = std::chrono::steady_clock::now() + patience;
    while (::fcntl(m_fd, F_SETLK, &lock) != 0 && (errno == EACCES || errno == EAGAIN) &&
           std::chrono::steady_clock::now() < giveUp)
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    if (::fcntl(m_fd, F_SETLK, &lock) != 0) {
        const int reason = errno;
        struct flock holder {};
        holder.l_type = F_WRLCK;
        holder.l_whence = SEEK_SET;
        const bool known = ::fcntl(m_fd, F_GETLK, &holder) == 0 && holder.l_type != F_UNLCK;
        ::close(m_fd);
        m_fd = -1;
        if (reason == EACCES || reason == EAGAIN)
            throw SimError("another package operation is running on this device (dpkg's lock is held" +
                           (known ? " by process " + std::to_string(holder.l_pid) : std::string()) +
                           "); try again when it has finished");
        throw SimError("cannot take dpkg's lock " + path + ": " + std::strerror(reason));
    }
    ::setenv("DPKG_FRONTEND_LOCKED", "1", 1);
}

PackageLock::~PackageLock() {
    ::unsetenv("DPKG_FRONTEND_LOCKED");
    if (m_fd >= 0)
        ::close(m_fd);
}

} // namespace sim
