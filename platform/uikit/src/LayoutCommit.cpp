#include "LayoutCommit.h"

#include <UIKit/UIApplication.h>
#include <UIKit/UIWindow.h>

#include <mutex>

namespace uikit {

void LayoutCommit::installOnMainRunLoop() {
    static std::once_flag once;
    std::call_once(once, [] {
        CFRunLoopObserverRef commit = CFRunLoopObserverCreateWithHandler(
            kCFAllocatorDefault, kCFRunLoopBeforeWaiting | kCFRunLoopExit, true, kOrder,
            [](CFRunLoopObserverRef, CFRunLoopActivity) {
                for (const rt::Ref<UIWindow>& window : UIApplication::sharedApplication()->windows())
                    window->layoutIfNeeded();
            });
        CFRunLoopAddObserver(CFRunLoopGetMain(), commit, kCFRunLoopCommonModes);
        CFRelease(commit);
    });
}

} // namespace uikit
