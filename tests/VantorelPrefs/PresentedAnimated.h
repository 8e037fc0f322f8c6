#pragma once
// Whether each sheet was presented, and dismissed, animated. The platform draws no animation,
// so the flag is read where it is passed: a replacement of the presenting
// method, installed in the test's own child process.
#include <UIKit/UIViewController.h>
#include <substrate.h>

#include <utility>
#include <vector>

namespace presented {

inline std::vector<bool> animated;
inline void (*previous)(id, SEL, UIViewController*, BOOL, UICompletion) = nullptr;

inline void record(id self, SEL cmd, UIViewController* shown, BOOL flag, UICompletion done) {
    animated.push_back(flag == YES);
    previous(self, cmd, shown, flag, std::move(done));
}

inline std::vector<bool> dismissedAnimated;
inline void (*previousDismiss)(id, SEL, BOOL, UICompletion) = nullptr;

inline void recordDismiss(id self, SEL cmd, BOOL flag, UICompletion done) {
    dismissedAnimated.push_back(flag == YES);
    previousDismiss(self, cmd, flag, std::move(done));
}

inline void watch() {
    MSHookMessageEx(UIViewController::classObject(), rt::sel<"presentViewController:animated:completion:">(),
                    &record, &previous);
    MSHookMessageEx(UIViewController::classObject(), rt::sel<"dismissViewControllerAnimated:completion:">(),
                    &recordDismiss, &previousDismiss);
}

} // namespace presented
