#pragma once
// Whether each sheet was presented animated. The platform draws no animation,
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

inline void watch() {
    MSHookMessageEx(UIViewController::classObject(), rt::sel<"presentViewController:animated:completion:">(),
                    &record, &previous);
}

} // namespace presented
