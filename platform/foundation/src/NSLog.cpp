#include <Foundation/NSLog.h>

#include <Foundation/DeviceLog.h>

#include <errno.h>
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
    std::string line = std::string(stamp) + " " + program_invocation_short_name + "[" +
                       std::to_string(getpid()) + "]: " + message;
    if (const char* echo = std::getenv("SIMDEVICE_LOG_STDERR"); echo && *echo)
        std::fprintf(stderr, "%s\n", line.c_str());
    ns::DeviceLog::appendLine("/var/log/syslog", line);
}
