#pragma once
#include <CoreFoundation/CFRunLoop.h>

namespace uikit {

// Pending layout is committed once per turn of the main run loop, as on the
// device: by an observer of the loop before it waits (and as it exits), at the
// order the device uses, so that other observers can run just before or after.
class LayoutCommit {
  public:
    static constexpr CFIndex kOrder = 2000000;
    // Once per process; every live window is laid out at each commit.
    static void installOnMainRunLoop();
};

} // namespace uikit
