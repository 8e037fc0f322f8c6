#pragma once
#include <Foundation/FoundationDefines.h>

#include <string>

namespace ns {

// The device's own log files ("/var/log/..."): each line goes out in one
// append, so lines of processes writing at once never mix. Without a device,
// or when the file cannot be opened, the line is dropped.
class FOUNDATION_EXPORT DeviceLog {
  public:
    static void appendLine(const std::string& devicePath, const std::string& line);
};

} // namespace ns
