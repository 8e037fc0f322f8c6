#include <Foundation/DeviceLog.h>

#include <Foundation/DevicePath.h>

#include <fcntl.h>
#include <unistd.h>

namespace ns {

void DeviceLog::appendLine(const std::string& devicePath, const std::string& line) {
    auto path = DevicePath::toHost(devicePath);
    if (!path.ok())
        return;
    int fd = ::open(path.value().c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK,
                    0644);
    if (fd < 0)
        return;
    std::string text = line + "\n";
    (void)!::write(fd, text.data(), text.size());
    ::close(fd);
}

} // namespace ns
