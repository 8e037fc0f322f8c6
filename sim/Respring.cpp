#include "Respring.h"

#include "HostRunner.h"
#include "MessagesCopy.h"
#include "SimError.h"

namespace sim {

void Respring::restart(const Device& device) {
    if (HostRunner::run(device.hostPath("/usr/bin/killall").string(), {"backboardd"}) != 0)
        throw SimError("the respring did not finish (see: vantorel-sim log)");
}

void Respring::run(const Device& device) {
    MessagesCopy::bringUpToDate([&device] { restart(device); }, false);
}

} // namespace sim
