#include <Foundation/SpawnedProcesses.h>

#include <sys/wait.h>

#include <cerrno>
#include <mutex>

namespace ns {

namespace {

struct Children {
    std::mutex lock;
    std::vector<pid_t> waiting;
    std::size_t started = 0;
};

Children& children() {
    static Children shared;
    return shared;
}

} // namespace

void SpawnedProcesses::remember(pid_t pid) {
    Children& all = children();
    std::lock_guard guard(all.lock);
    all.waiting.push_back(pid);
    ++all.started;
}

std::size_t SpawnedProcesses::count() {
    Children& all = children();
    std::lock_guard guard(all.lock);
    return all.started;
}

std::vector<SpawnedProcesses::Exit> SpawnedProcesses::waitAll() {
    std::vector<pid_t> pending;
    {
        Children& all = children();
        std::lock_guard guard(all.lock);
        pending.swap(all.waiting);
    }
    std::vector<Exit> exits;
    for (pid_t pid : pending) {
        int status = 0;
        pid_t done;
        do
            done = ::waitpid(pid, &status, 0);
        while (done < 0 && errno == EINTR);
        if (done == pid)
            exits.push_back({pid, status});
    }
    return exits;
}

} // namespace ns
