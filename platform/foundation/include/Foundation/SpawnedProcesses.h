#pragma once
// The children this process started on the simulated device. A host waits for
// them before it exits, so what it started has finished when it returns.
#include <Foundation/FoundationDefines.h>

#include <sys/types.h>

#include <cstddef>
#include <vector>

namespace ns {

class FOUNDATION_EXPORT SpawnedProcesses {
  public:
    struct Exit {
        pid_t pid;
        int status; // as waitpid reports it
    };

    static void remember(pid_t pid);
    // How many children were started so far, waited for or not.
    static std::size_t count();
    // Waits for every child not yet waited for, in the order they were started.
    static std::vector<Exit> waitAll();
};

} // namespace ns
