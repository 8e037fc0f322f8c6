#pragma once
// The Darwin notification centre: process-wide names without payload. Posting
// notes one line per post in the device's "/var/log/notifications" and calls
// the observers this process registered.
#include <CoreFoundation/CFBase.h>

typedef const struct CFNotificationCenterStorage* CFNotificationCenterRef;
typedef CFStringRef CFNotificationName;

typedef void (*CFNotificationCallback)(CFNotificationCenterRef center, void* observer,
                                       CFNotificationName name, const void* object, CFDictionaryRef userInfo);

enum CFNotificationSuspensionBehavior : long {
    CFNotificationSuspensionBehaviorDrop = 1,
    CFNotificationSuspensionBehaviorCoalesce = 2,
    CFNotificationSuspensionBehaviorHold = 3,
    CFNotificationSuspensionBehaviorDeliverImmediately = 4,
};

FOUNDATION_EXPORT CFNotificationCenterRef CFNotificationCenterGetDarwinNotifyCenter();

// The Darwin centre carries names only: object and user info are dropped.
// A post without a name does nothing.
FOUNDATION_EXPORT void CFNotificationCenterPostNotification(CFNotificationCenterRef center,
                                                            CFNotificationName name, const void* object,
                                                            CFDictionaryRef userInfo,
                                                            Boolean deliverImmediately);

// A null name observes every post. The same observer, callback and name are registered once.
FOUNDATION_EXPORT void CFNotificationCenterAddObserver(CFNotificationCenterRef center, const void* observer,
                                                       CFNotificationCallback callBack, CFStringRef name,
                                                       const void* object,
                                                       CFNotificationSuspensionBehavior suspensionBehavior);
// A null name removes the observer's registrations for every name.
FOUNDATION_EXPORT void CFNotificationCenterRemoveObserver(CFNotificationCenterRef center,
                                                          const void* observer, CFNotificationName name,
                                                          const void* object);
FOUNDATION_EXPORT void CFNotificationCenterRemoveEveryObserver(CFNotificationCenterRef center,
                                                               const void* observer);
