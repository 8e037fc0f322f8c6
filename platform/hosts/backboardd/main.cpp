// backboardd: starting it starts the user interface, that is SpringBoard. A
// respring kills it; the system then starts it again, and with it SpringBoard.
#include "DeviceProcess.h"

#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <string>

int main() {
    hosts::DeviceProcess::start("backboardd", "com.apple.backboardd", "/var/mobile");
    std::string springBoard = hosts::DeviceProcess::programFolder() + "/SpringBoard";
    pid_t child = fork();
    if (child == 0) {
        execl(springBoard.c_str(), "SpringBoard", static_cast<char*>(nullptr));
        std::perror("backboardd: cannot start SpringBoard");
        _exit(127);
    }
    int status = 0;
    if (child < 0 || waitpid(child, &status, 0) < 0)
        return 1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : 1;
}
