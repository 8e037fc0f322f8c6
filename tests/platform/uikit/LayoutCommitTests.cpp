// Pending layout is committed by the main run loop, between the observers
// ordered before and after the commit, as on the device.
#include <CoreFoundation/CFRunLoop.h>
#include <UIKit/UIWindow.h>
#include <dispatch/dispatch.h>
#include <objc/message.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> g_events;

#define PROBE_METHODS(M, O, C) O(layoutSubviews)

class LayoutProbe : public UIView {
    RT_OBJECT(LayoutProbe, UIView)
    RT_METHODS(PROBE_METHODS)
};

RT_DEFINE_CLASS(LayoutProbe, nullptr)

void LayoutProbe::layoutSubviewsImpl() {
    layoutSubviewsSuper();
    g_events.push_back("layout");
}

CFRunLoopObserverRef record(CFIndex order, const char* name) {
    CFRunLoopObserverRef observer = CFRunLoopObserverCreateWithHandler(
        kCFAllocatorDefault, kCFRunLoopBeforeWaiting, true, order,
        [name](CFRunLoopObserverRef, CFRunLoopActivity) { g_events.push_back(name); });
    CFRunLoopAddObserver(CFRunLoopGetMain(), observer, kCFRunLoopCommonModes);
    return observer;
}

TEST(LayoutCommit, EveryWindowIsLaidOutBetweenTheObserversAroundTheCommit) {
    rt::Ref<UIWindow> window = rt::make<UIWindow>();
    window->setFrame(CGRectMake(0, 0, 100, 100));
    rt::Ref<UIWindow> second = rt::make<UIWindow>();
    rt::Ref<LayoutProbe> probe = rt::make<LayoutProbe>();
    rt::Ref<LayoutProbe> other = rt::make<LayoutProbe>();
    window->addSubview(probe);
    second->addSubview(other);
    CFRunLoopObserverRef before = record(1999999, "before");
    CFRunLoopObserverRef after = record(2000001, "after");
    ns::DispatchRuntime::runOneTurn();
    EXPECT_EQ(g_events, (std::vector<std::string>{"before", "layout", "layout", "after"}));

    g_events.clear();
    ns::DispatchRuntime::runOneTurn();
    EXPECT_EQ(g_events, (std::vector<std::string>{"before", "after"})) << "nothing was pending";

    g_events.clear();
    probe->setNeedsLayout();
    second = nullptr; // a window that is gone is skipped
    other = nullptr;
    ns::DispatchRuntime::runOneTurn();
    EXPECT_EQ(g_events, (std::vector<std::string>{"before", "layout", "after"}));
    for (CFRunLoopObserverRef observer : {before, after}) {
        CFRunLoopObserverInvalidate(observer);
        CFRelease(observer);
    }
}

} // namespace
