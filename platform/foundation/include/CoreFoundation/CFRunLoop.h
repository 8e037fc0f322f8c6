#pragma once
// The main thread's run loop and its observers. The host turns the loop; at
// each activity the observers that asked for it run on the loop's thread,
// lower orders first (equal orders in the order added). The user interface
// commits pending layout from an observer of kCFRunLoopBeforeWaiting, so an
// observer of that activity with a lower order runs just before each layout
// pass and one with a higher order just after it.
#include <CoreFoundation/CFBase.h>

#include <functional>

typedef struct __CFRunLoop* CFRunLoopRef;
typedef struct __CFRunLoopObserver* CFRunLoopObserverRef;
typedef CFStringRef CFRunLoopMode;

enum CFRunLoopActivity : CFOptionFlags {
    kCFRunLoopEntry = 1UL << 0,
    kCFRunLoopBeforeTimers = 1UL << 1,
    kCFRunLoopBeforeSources = 1UL << 2,
    kCFRunLoopBeforeWaiting = 1UL << 5,
    kCFRunLoopAfterWaiting = 1UL << 6,
    kCFRunLoopExit = 1UL << 7,
    kCFRunLoopAllActivities = 0x0FFFFFFFUL,
};

// The host runs the default mode; an observer added to the common modes runs
// in it too. Observers of any other mode are kept but never run here.
FOUNDATION_EXPORT extern const CFRunLoopMode kCFRunLoopDefaultMode;
FOUNDATION_EXPORT extern const CFRunLoopMode kCFRunLoopCommonModes;

using CFRunLoopObserverHandler =
    std::function<void(CFRunLoopObserverRef observer, CFRunLoopActivity activity)>;

FOUNDATION_EXPORT CFRunLoopRef CFRunLoopGetMain();

// One reference for the caller (CFRelease); a loop holds its own while the
// observer is added. A non-repeating observer is invalidated after its first
// call. Null without a handler or activities.
FOUNDATION_EXPORT CFRunLoopObserverRef CFRunLoopObserverCreateWithHandler(CFAllocatorRef allocator,
                                                                          CFOptionFlags activities,
                                                                          Boolean repeats, CFIndex order,
                                                                          CFRunLoopObserverHandler block);
// Null arguments do nothing; an observer already in the mode is not added again,
// nor is an invalidated one.
FOUNDATION_EXPORT void CFRunLoopAddObserver(CFRunLoopRef loop, CFRunLoopObserverRef observer,
                                            CFRunLoopMode mode);
FOUNDATION_EXPORT void CFRunLoopRemoveObserver(CFRunLoopRef loop, CFRunLoopObserverRef observer,
                                               CFRunLoopMode mode);
FOUNDATION_EXPORT Boolean CFRunLoopContainsObserver(CFRunLoopRef loop, CFRunLoopObserverRef observer,
                                                    CFRunLoopMode mode);
// Removes the observer from every mode; it never runs again, even in a
// notification already under way.
FOUNDATION_EXPORT void CFRunLoopObserverInvalidate(CFRunLoopObserverRef observer);
FOUNDATION_EXPORT Boolean CFRunLoopObserverIsValid(CFRunLoopObserverRef observer);
FOUNDATION_EXPORT CFIndex CFRunLoopObserverGetOrder(CFRunLoopObserverRef observer);
FOUNDATION_EXPORT void CFRelease(CFRunLoopObserverRef observer);
