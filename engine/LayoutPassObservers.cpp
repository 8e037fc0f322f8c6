#include "LayoutPassObservers.h"

#include "PreferencePass.h"

#include <dispatch/dispatch.h>

namespace {

// The commit runs before the loop waits and as it exits: both are bracketed.
constexpr CFOptionFlags kCommitActivities = kCFRunLoopBeforeWaiting | kCFRunLoopExit;

void addObserver(CFIndex order, void (*action)()) {
    CFRunLoopObserverRef observer =
        CFRunLoopObserverCreateWithHandler(kCFAllocatorDefault, kCommitActivities, true, order,
                                           [action](CFRunLoopObserverRef, CFRunLoopActivity) { action(); });
    CFRunLoopAddObserver(CFRunLoopGetMain(), observer, kCFRunLoopCommonModes);
    CFRelease(observer); // the run loop keeps it for the life of the process
}

} // namespace

void LayoutPassObservers::installOnMainRunLoop() {
    static dispatch_once_t once;
    dispatch_once(&once, [] {
        addObserver(kOpensAt, &PreferencePass::begin);
        addObserver(kClosesAt, &PreferencePass::end);
    });
}
