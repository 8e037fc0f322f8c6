#pragma once
#include <CoreFoundation/CFRunLoop.h>

// Brackets each layout commit of the main run loop with a preference pass, so
// that the colours Messages asks for while laying out check the settings file
// once per pass instead of once per colour. Run-loop observers every process
// has, not a method replacement: the hook table stays as it is.
class LayoutPassObservers {
  public:
    // The order the user interface commits pending layout at, before waiting.
    static constexpr CFIndex kCommitOrder = 2000000;
    static constexpr CFIndex kOpensAt = kCommitOrder - 1;
    static constexpr CFIndex kClosesAt = kCommitOrder + 1;

    // Once per process, however often called.
    static void installOnMainRunLoop();
};
