#include <CoreFoundation/CFRunLoop.h>

#include "MainRunLoop.h"

#include <algorithm>
#include <atomic>
#include <cstring>
#include <mutex>
#include <string>
#include <vector>

const CFRunLoopMode kCFRunLoopDefaultMode = "kCFRunLoopDefaultMode";
const CFRunLoopMode kCFRunLoopCommonModes = "kCFRunLoopCommonModes";

struct __CFRunLoopObserver {
    std::atomic<long> references{1};
    std::atomic<bool> valid{true};
    CFOptionFlags activities;
    bool repeats;
    CFIndex order;
    CFRunLoopObserverHandler handler;
};

struct __CFRunLoop {
    struct Registration {
        CFRunLoopObserverRef observer;
        std::string mode;
    };
    std::mutex lock;
    std::vector<Registration> registrations; // by order, then as added
};

namespace {

void retain(CFRunLoopObserverRef observer) {
    observer->references.fetch_add(1, std::memory_order_relaxed);
}

void release(CFRunLoopObserverRef observer) {
    if (observer->references.fetch_sub(1, std::memory_order_acq_rel) == 1)
        delete observer;
}

bool runsInDefaultMode(const std::string& mode) {
    return mode == kCFRunLoopDefaultMode || mode == kCFRunLoopCommonModes;
}

// Takes the loop's references out under the lock; released by the caller.
std::vector<CFRunLoopObserverRef> removeLocked(__CFRunLoop& loop, CFRunLoopObserverRef observer,
                                               const char* mode) {
    std::vector<CFRunLoopObserverRef> removed;
    std::erase_if(loop.registrations, [&](const __CFRunLoop::Registration& registration) {
        if (registration.observer != observer || (mode && registration.mode != mode))
            return false;
        removed.push_back(observer);
        return true;
    });
    return removed;
}

} // namespace

CFRunLoopRef CFRunLoopGetMain() {
    static auto* main = new __CFRunLoop; // observers may still be removed during exit
    return main;
}

CFRunLoopObserverRef CFRunLoopObserverCreateWithHandler(CFAllocatorRef, CFOptionFlags activities,
                                                        Boolean repeats, CFIndex order,
                                                        CFRunLoopObserverHandler block) {
    if (!block || (activities & kCFRunLoopAllActivities) == 0)
        return nullptr;
    auto* observer = new __CFRunLoopObserver;
    observer->activities = activities;
    observer->repeats = repeats != 0;
    observer->order = order;
    observer->handler = std::move(block);
    return observer;
}

void CFRunLoopAddObserver(CFRunLoopRef loop, CFRunLoopObserverRef observer, CFRunLoopMode mode) {
    if (!loop || !observer || !mode || !observer->valid.load())
        return;
    std::lock_guard guard(loop->lock);
    auto& list = loop->registrations;
    if (std::any_of(list.begin(), list.end(), [&](const __CFRunLoop::Registration& registration) {
            return registration.observer == observer && registration.mode == mode;
        }))
        return;
    auto after = std::upper_bound(list.begin(), list.end(), observer->order,
                                  [](CFIndex order, const __CFRunLoop::Registration& registration) {
                                      return order < registration.observer->order;
                                  });
    retain(observer);
    list.insert(after, {observer, mode});
}

void CFRunLoopRemoveObserver(CFRunLoopRef loop, CFRunLoopObserverRef observer, CFRunLoopMode mode) {
    if (!loop || !observer || !mode)
        return;
    std::vector<CFRunLoopObserverRef> removed;
    {
        std::lock_guard guard(loop->lock);
        removed = removeLocked(*loop, observer, mode);
    }
    for (CFRunLoopObserverRef reference : removed)
        release(reference);
}

Boolean CFRunLoopContainsObserver(CFRunLoopRef loop, CFRunLoopObserverRef observer, CFRunLoopMode mode) {
    if (!loop || !observer || !mode)
        return false;
    std::lock_guard guard(loop->lock);
    return std::any_of(loop->registrations.begin(), loop->registrations.end(),
                       [&](const __CFRunLoop::Registration& registration) {
                           return registration.observer == observer && registration.mode == mode;
                       });
}

void CFRunLoopObserverInvalidate(CFRunLoopObserverRef observer) {
    if (!observer)
        return;
    observer->valid.store(false);
    // The main loop is the only one: no other thread has a loop here.
    CFRunLoopRef loop = CFRunLoopGetMain();
    std::vector<CFRunLoopObserverRef> removed;
    {
        std::lock_guard guard(loop->lock);
        removed = removeLocked(*loop, observer, nullptr);
    }
    for (CFRunLoopObserverRef reference : removed)
        release(reference);
}

Boolean CFRunLoopObserverIsValid(CFRunLoopObserverRef observer) {
    return observer && observer->valid.load();
}

CFIndex CFRunLoopObserverGetOrder(CFRunLoopObserverRef observer) {
    return observer ? observer->order : 0;
}

void CFRelease(CFRunLoopObserverRef observer) {
    if (observer)
        release(observer);
}

namespace ns {

void notifyMainRunLoopObservers(CFRunLoopActivity activity) {
    CFRunLoopRef loop = CFRunLoopGetMain();
    // Called outside the lock with references of their own: a handler may
    // add, remove or invalidate observers, itself included.
    std::vector<CFRunLoopObserverRef> due;
    {
        std::lock_guard guard(loop->lock);
        for (const __CFRunLoop::Registration& registration : loop->registrations) {
            CFRunLoopObserverRef observer = registration.observer;
            if ((observer->activities & activity) == 0 || !runsInDefaultMode(registration.mode) ||
                std::find(due.begin(), due.end(), observer) != due.end())
                continue;
            retain(observer);
            due.push_back(observer);
        }
    }
    for (CFRunLoopObserverRef observer : due) {
        if (observer->valid.load()) {
            if (!observer->repeats)
                CFRunLoopObserverInvalidate(observer);
            observer->handler(observer, activity);
        }
        release(observer);
    }
}

} // namespace ns
