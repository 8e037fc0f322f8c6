#include <Foundation/DeviceLog.h>

#include <Foundation/DevicePath.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace ns {

namespace {

constexpr int kAppendFlags = O_WRONLY | O_APPEND | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK;

// The log, opened for appending only when it is a regular file with no other
// name: a hard link would carry the device's lines into a file elsewhere.
// Such a name is replaced by a file of the log's own; the lines written so far
// stay with the other name.
int openLog(const std::string& hostPath) {
    for (int attempt = 0; attempt < 2; ++attempt) {
        const int fd = ::open(hostPath.c_str(), kAppendFlags | O_CREAT, 0644);
        if (fd < 0)
            return -1;
        struct stat status {};
        const bool regular = ::fstat(fd, &status) == 0 && S_ISREG(status.st_mode);
        if (regular && status.st_nlink <= 1)
            return fd;
        ::close(fd);
        if (!regular)
            return -1;
        // Another process may replace it at the same moment; either new file will do.
        if (::unlink(hostPath.c_str()) != 0)
            return -1;
    }
    return -1;
}

} // namespace

void DeviceLog::appendLine(const std::string& devicePath, const std::string& line) {
    auto path = DevicePath::toHost(devicePath);
    if (!path.ok())
        return;
    const int fd = openLog(path.value());
    if (fd < 0)
        return;
    std::string text = line + "\n";
    (void)!::write(fd, text.data(), text.size());
    ::close(fd);
}

} // namespace ns
