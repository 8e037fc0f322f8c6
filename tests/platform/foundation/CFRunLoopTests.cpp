// The main run loop's observers: called at their activities, in order, as the
// host turns the loop; kept alive by the loop, never called once invalidated.
#include <CoreFoundation/CFRunLoop.h>
#include <dispatch/dispatch.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Observers added by a test, taken out of the shared main loop at its end.
class RunLoopTest : public ::testing::Test {
  protected:
    void TearDown() override {
        for (CFRunLoopObserverRef observer : m_observers) {
            CFRunLoopObserverInvalidate(observer);
            CFRelease(observer);
        }
    }
    CFRunLoopObserverRef observe(CFOptionFlags activities, CFIndex order, const std::string& name,
                                 bool repeats = true, const char* mode = kCFRunLoopCommonModes) {
        CFRunLoopObserverRef observer = CFRunLoopObserverCreateWithHandler(
            kCFAllocatorDefault, activities, repeats, order,
            [this, name](CFRunLoopObserverRef, CFRunLoopActivity activity) {
                m_calls.push_back(name + "@" + std::to_string(activity));
            });
        CFRunLoopAddObserver(CFRunLoopGetMain(), observer, mode);
        m_observers.push_back(observer);
        return observer;
    }
    static std::string at(const std::string& name, CFRunLoopActivity activity) {
        return name + "@" + std::to_string(activity);
    }

    std::vector<std::string> m_calls;
    std::vector<CFRunLoopObserverRef> m_observers;
};

TEST_F(RunLoopTest, ObserversRunByOrderThenAsAddedAroundTheQueuedBlocks) {
    observe(kCFRunLoopBeforeWaiting, 2000001, "after");
    observe(kCFRunLoopBeforeWaiting, 2000000, "commit");
    observe(kCFRunLoopBeforeWaiting, 1999999, "before");
    observe(kCFRunLoopBeforeWaiting, 2000000, "commit-too");
    observe(kCFRunLoopBeforeSources, 5, "sources");
    dispatch_async(dispatch_get_main_queue(), [this] { m_calls.push_back("block"); });
    ns::DispatchRuntime::runOneTurn();
    const std::vector<std::string> expected = {
        at("sources", kCFRunLoopBeforeSources),    "block",
        at("before", kCFRunLoopBeforeWaiting),     at("commit", kCFRunLoopBeforeWaiting),
        at("commit-too", kCFRunLoopBeforeWaiting), at("after", kCFRunLoopBeforeWaiting)};
    EXPECT_EQ(m_calls, expected);
}

TEST_F(RunLoopTest, RunningUntilIdleEntersWaitsAndExits) {
    observe(kCFRunLoopAllActivities, 0, "all");
    dispatch_async(dispatch_get_global_queue(DISPATCH_QUEUE_PRIORITY_DEFAULT, 0),
                   [] { dispatch_async(dispatch_get_main_queue(), [] {}); });
    ASSERT_TRUE(ns::DispatchRuntime::runMainQueueUntilIdle(10));
    ASSERT_GE(m_calls.size(), 5u);
    EXPECT_EQ(m_calls.front(), at("all", kCFRunLoopEntry));
    EXPECT_EQ(m_calls[1], at("all", kCFRunLoopBeforeTimers));
    EXPECT_EQ(m_calls[m_calls.size() - 2], at("all", kCFRunLoopBeforeWaiting))
        << "the last turn commits before the loop exits";
    EXPECT_EQ(m_calls.back(), at("all", kCFRunLoopExit));
    // Every wait is preceded by a commit and followed by a wake-up.
    for (size_t i = 0; i < m_calls.size(); ++i) {
        if (m_calls[i] == at("all", kCFRunLoopAfterWaiting)) {
            EXPECT_EQ(m_calls[i - 1], at("all", kCFRunLoopBeforeWaiting));
        }
    }
}

TEST_F(RunLoopTest, ModesAddingTwiceAndOneShotObservers) {
    CFRunLoopObserverRef both = observe(kCFRunLoopBeforeWaiting, 1, "both");
    CFRunLoopAddObserver(CFRunLoopGetMain(), both, kCFRunLoopDefaultMode);
    CFRunLoopAddObserver(CFRunLoopGetMain(), both, kCFRunLoopCommonModes);
    observe(kCFRunLoopBeforeWaiting, 2, "tracking", true, "UITrackingRunLoopMode");
    CFRunLoopObserverRef once = observe(kCFRunLoopBeforeWaiting, 3, "once", false);
    ns::DispatchRuntime::runOneTurn();
    ns::DispatchRuntime::runOneTurn();
    const std::vector<std::string> expected = {at("both", kCFRunLoopBeforeWaiting),
                                               at("once", kCFRunLoopBeforeWaiting),
                                               at("both", kCFRunLoopBeforeWaiting)};
    EXPECT_EQ(m_calls, expected);
    EXPECT_FALSE(CFRunLoopObserverIsValid(once));
    EXPECT_FALSE(CFRunLoopContainsObserver(CFRunLoopGetMain(), once, kCFRunLoopCommonModes));
    EXPECT_TRUE(CFRunLoopContainsObserver(CFRunLoopGetMain(), both, kCFRunLoopDefaultMode));
    CFRunLoopRemoveObserver(CFRunLoopGetMain(), both, kCFRunLoopDefaultMode);
    CFRunLoopRemoveObserver(CFRunLoopGetMain(), both, kCFRunLoopCommonModes);
    ns::DispatchRuntime::runOneTurn();
    EXPECT_EQ(m_calls.size(), 3u) << "removed from every mode it was in";
}

// A handler may take out an observer due later in the same notification, or
// itself; the loop's own reference keeps a released observer alive.
TEST_F(RunLoopTest, InvalidatedDuringANotificationIsNotCalled) {
    CFRunLoopObserverRef later = nullptr;
    CFRunLoopObserverRef first =
        CFRunLoopObserverCreateWithHandler(kCFAllocatorDefault, kCFRunLoopBeforeWaiting, true, 10,
                                           [&](CFRunLoopObserverRef self, CFRunLoopActivity) {
                                               m_calls.push_back("first");
                                               CFRunLoopObserverInvalidate(later);
                                               CFRunLoopObserverInvalidate(self);
                                           });
    CFRunLoopAddObserver(CFRunLoopGetMain(), first, kCFRunLoopCommonModes);
    CFRelease(first); // only the loop holds it now
    later = observe(kCFRunLoopBeforeWaiting, 11, "later");
    ns::DispatchRuntime::runOneTurn();
    ns::DispatchRuntime::runOneTurn();
    EXPECT_EQ(m_calls, std::vector<std::string>{"first"});
    CFRunLoopAddObserver(CFRunLoopGetMain(), later, kCFRunLoopCommonModes);
    EXPECT_FALSE(CFRunLoopContainsObserver(CFRunLoopGetMain(), later, kCFRunLoopCommonModes))
        << "an invalidated observer is not added again";
}

TEST_F(RunLoopTest, NullArgumentsDoNothing) {
    EXPECT_EQ(CFRunLoopObserverCreateWithHandler(kCFAllocatorDefault, kCFRunLoopBeforeWaiting, true, 0, {}),
              nullptr);
    EXPECT_EQ(CFRunLoopObserverCreateWithHandler(kCFAllocatorDefault, 0, true, 0,
                                                 [](CFRunLoopObserverRef, CFRunLoopActivity) {}),
              nullptr);
    CFRunLoopObserverRef observer = observe(kCFRunLoopBeforeWaiting, 7, "kept");
    EXPECT_EQ(CFRunLoopObserverGetOrder(observer), 7);
    CFRunLoopAddObserver(nullptr, observer, kCFRunLoopCommonModes);
    CFRunLoopAddObserver(CFRunLoopGetMain(), nullptr, kCFRunLoopCommonModes);
    CFRunLoopAddObserver(CFRunLoopGetMain(), observer, nullptr);
    CFRunLoopRemoveObserver(CFRunLoopGetMain(), observer, nullptr);
    CFRunLoopObserverInvalidate(nullptr);
    CFRelease(static_cast<CFRunLoopObserverRef>(nullptr));
    EXPECT_FALSE(CFRunLoopObserverIsValid(nullptr));
    EXPECT_FALSE(CFRunLoopContainsObserver(CFRunLoopGetMain(), nullptr, kCFRunLoopCommonModes));
    ns::DispatchRuntime::runOneTurn();
    EXPECT_EQ(m_calls, std::vector<std::string>{at("kept", kCFRunLoopBeforeWaiting)});
}

} // namespace
