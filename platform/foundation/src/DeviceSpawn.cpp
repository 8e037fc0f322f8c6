// posix_spawn for the deliverables: the path is a device path, mapped under
// the simulated device, and the child stays on that device.
#include "../device-include/spawn.h"
#undef posix_spawn

#include <Foundation/DevicePath.h>
#include <Foundation/SpawnedProcesses.h>

#include <cerrno>
#include <cstring>
#include <string>
#include <vector>

namespace {

// What a process started by the system gets on the device.
constexpr const char* kDevicePath = "/usr/bin:/bin:/usr/sbin:/sbin";

bool names(const char* entry, const char* variable) {
    const std::size_t length = std::strlen(variable);
    return std::strncmp(entry, variable, length) == 0 && entry[length] == '=';
}

} // namespace

int device_posix_spawn(pid_t* pid, const char* path, const posix_spawn_file_actions_t* fileActions,
                       const posix_spawnattr_t* attributes, char* const argv[], char* const envp[]) {
    if (!path || path[0] != '/')
        return EINVAL;
    const auto root = ns::DevicePath::root();
    if (!root)
        return ENOENT; // no device: nothing may run
    auto host = ns::DevicePath::toHost(path);
    if (!host.ok())
        return EACCES; // the path leaves the device

    // The child always belongs to this device, whatever environment it is given.
    std::vector<std::string> environment{std::string(ns::DevicePath::kRootVariable) + "=" + *root};
    if (envp) {
        for (char* const* entry = envp; *entry; ++entry)
            if (!names(*entry, ns::DevicePath::kRootVariable))
                environment.emplace_back(*entry);
    } else {
        environment.push_back(std::string("PATH=") + kDevicePath);
    }
    std::vector<char*> pointers;
    for (std::string& entry : environment)
        pointers.push_back(entry.data());
    pointers.push_back(nullptr);

    pid_t child = 0;
    const int result =
        ::posix_spawn(&child, host.value().c_str(), fileActions, attributes, argv, pointers.data());
    if (result != 0)
        return result;
    ns::SpawnedProcesses::remember(child);
    if (pid)
        *pid = child;
    return 0;
}
