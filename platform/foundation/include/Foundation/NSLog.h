#pragma once
#include <Foundation/FoundationDefines.h>

#include <string>

// One line in the device's system log ("/var/log/syslog"), stamped with the
// time and the process; echoed to stderr when SIMDEVICE_LOG_STDERR is set.
// Without a device the line goes nowhere.
FOUNDATION_EXPORT void NSLog(const std::string& message);
