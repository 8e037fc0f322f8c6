#include <CoreFoundation/CFNotificationCenter.h>

#include <Foundation/DeviceLog.h>

#include <algorithm>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

struct CFNotificationCenterStorage {
    struct Registration {
        const void* observer;
        CFNotificationCallback callback;
        std::optional<std::string> name; // nothing: every name
    };
    std::mutex lock;
    std::vector<Registration> registrations;
};

namespace {

CFNotificationCenterStorage& darwinCenter() {
    static auto* center =
        new CFNotificationCenterStorage; // outlives static destruction: late posts stay safe
    return *center;
}

CFNotificationCenterStorage* darwin(CFNotificationCenterRef center) {
    return center == &darwinCenter() ? &darwinCenter() : nullptr;
}

} // namespace

CFNotificationCenterRef CFNotificationCenterGetDarwinNotifyCenter() {
    return &darwinCenter();
}

void CFNotificationCenterPostNotification(CFNotificationCenterRef center, CFNotificationName name,
                                          const void*, CFDictionaryRef, Boolean) {
    CFNotificationCenterStorage* target = darwin(center);
    if (!target || !name)
        return;
    const std::string posted(name);
    ns::DeviceLog::appendLine("/var/log/notifications", posted);
    std::vector<CFNotificationCenterStorage::Registration> matching;
    {
        std::lock_guard guard(target->lock);
        for (const auto& registration : target->registrations)
            if (!registration.name || *registration.name == posted)
                matching.push_back(registration);
    }
    // Called outside the lock, so an observer may post or unregister.
    for (const auto& registration : matching)
        registration.callback(center, const_cast<void*>(registration.observer), name, nullptr, nullptr);
}

void CFNotificationCenterAddObserver(CFNotificationCenterRef center, const void* observer,
                                     CFNotificationCallback callBack, CFStringRef name, const void*,
                                     CFNotificationSuspensionBehavior) {
    CFNotificationCenterStorage* target = darwin(center);
    if (!target || !callBack)
        return;
    std::optional<std::string> key = name ? std::optional<std::string>(name) : std::nullopt;
    std::lock_guard guard(target->lock);
    for (const auto& registration : target->registrations)
        if (registration.observer == observer && registration.callback == callBack &&
            registration.name == key)
            return;
    target->registrations.push_back({observer, callBack, std::move(key)});
}

void CFNotificationCenterRemoveObserver(CFNotificationCenterRef center, const void* observer,
                                        CFNotificationName name, const void*) {
    CFNotificationCenterStorage* target = darwin(center);
    if (!target)
        return;
    std::lock_guard guard(target->lock);
    std::erase_if(target->registrations, [&](const auto& registration) {
        return registration.observer == observer && (!name || registration.name == std::string(name));
    });
}

void CFNotificationCenterRemoveEveryObserver(CFNotificationCenterRef center, const void* observer) {
    CFNotificationCenterRemoveObserver(center, observer, nullptr, nullptr);
}
