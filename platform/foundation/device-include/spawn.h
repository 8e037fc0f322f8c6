#pragma once
// The deliverables' posix_spawn: a program named by a device path runs from
// the simulated device. Only the deliverables have this folder on their
// include path; the platform itself keeps the host's posix_spawn.
#include_next <spawn.h>

#include <Foundation/FoundationDefines.h>

FOUNDATION_EXPORT int device_posix_spawn(pid_t* pid, const char* path,
                                         const posix_spawn_file_actions_t* fileActions,
                                         const posix_spawnattr_t* attributes, char* const argv[],
                                         char* const envp[]);

#define posix_spawn device_posix_spawn
