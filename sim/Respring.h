#pragma once
#include "Device.h"

namespace sim {

// What "Apply" ends in: the user interface restarted through the device's
// killall, and SpringBoard's launch work done.
class Respring {
  public:
    // Throws SimError when it does not finish, IncompleteResult when it left
    // the Messages copy of the settings behind.
    static void run(const Device& device);
};

} // namespace sim
