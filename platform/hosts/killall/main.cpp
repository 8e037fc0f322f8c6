// killall for the simulated device. Its processes do not outlive their work,
// so killing "backboardd" means what it means on the phone: the system starts
// backboardd again, and the user interface restarts (a respring). killall
// returns once the restarted SpringBoard has finished launching.
#include "DeviceProcess.h"

#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <string>

int main(int argc, char** argv) {
    std::string line = "killall";
    for (int i = 1; i < argc; ++i)
        line += std::string(" ") + argv[i];
    hosts::DeviceProcess::start("killall", std::nullopt, "/var/root", line);
    if (argc < 2) {
        std::fprintf(stderr, "usage: killall [-SIGNAL] name ...\n");
        return 2;
    }

    int status = 0;
    bool matched = false;
    for (int i = 1; i < argc; ++i) {
        if (argv[i][0] == '-')
            continue; // a signal: every simulated process ends the same way
        if (std::strcmp(argv[i], "backboardd") != 0) {
            std::fprintf(stderr, "No matching processes belonging to you were found\n");
            status = 1;
            continue;
        }
        matched = true;
        std::string backboardd = hosts::DeviceProcess::programFolder() + "/backboardd";
        pid_t child = fork();
        if (child == 0) {
            execl(backboardd.c_str(), "backboardd", static_cast<char*>(nullptr));
            _exit(127);
        }
        int childStatus = 0;
        if (child < 0 || waitpid(child, &childStatus, 0) < 0 || !WIFEXITED(childStatus) ||
            WEXITSTATUS(childStatus))
            status = 1;
    }
    return matched ? status : 1;
}
