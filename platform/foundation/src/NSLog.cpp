#include <Foundation/NSLog.h>

#include <Foundation/DevicePath.h>

#include <errno.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>

void NSLog(const std::string& message) {
    char stamp[32] = "";
    std::time_t now = std::time(nullptr);
    std::tm local{};
    if (localtime_r(&now, &local))
        std::strftime(stamp, sizeof stamp, "%b %e %H:%M:%S", &local);
    std::string line = std::string(stamp) + " " + program_invocation_short_name + "[" + std::to_string(getpid()) +
                       "]: " + message + "\n";
    if (const char* echo = std::getenv("SIMDEVICE_LOG_STDERR"); echo && *echo)
        std::fputs(line.c_str(), stderr);
    auto path = ns::DevicePath::toHost("/var/log/syslog");
    if (!path.ok())
        return;
    int fd = ::open(path.value().c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0)
        return;
    // One write per line: lines of processes logging at once never interleave.
    (void)!::write(fd, line.data(), line.size());
    ::close(fd);
}
