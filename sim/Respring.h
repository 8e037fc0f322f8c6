#pragma once
#include "Device.h"

namespace sim {

// What "Apply" ends in: the user interface restarted through the device's
// killall, and SpringBoard's launch work done.
class Respring {
  public:
    // Restarts the user interface once; throws SimError when it does not finish.
    static void restart(const Device& device);
    // Restarts it until Messages' copy of the settings matches the user's file
    // (another writer may change it meanwhile); throws IncompleteResult saying
    // what is wrong when the copy is left behind.
    static void run(const Device& device);
};

} // namespace sim
