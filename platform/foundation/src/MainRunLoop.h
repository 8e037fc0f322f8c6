#pragma once
#include <CoreFoundation/CFRunLoop.h>

namespace ns {

// Runs the main loop's observers of one activity, on the calling thread (the
// host's main thread, which turns the loop).
void notifyMainRunLoopObservers(CFRunLoopActivity activity);

} // namespace ns
