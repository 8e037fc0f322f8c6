// In Messages the engine brackets each layout commit of the main run loop with
// a preference pass, through run-loop observers: the method replacements stay
// the hook table's 72 (and SpringBoard's one). Each scenario runs in a child.
#include "HookTable.h"
#include "InMessages.h"
#include "LayoutPassObservers.h"
#include "PreferencePass.h"
#include "VRPrefs.h"

#include <ChatKit/CKUITheme.h>
#include <CoreFoundation/CFRunLoop.h>
#include <UIKit/UIWindow.h>
#include <dispatch/dispatch.h>
#include <objc/MethodCache.h>
#include <objc/message.h>

#include <chrono>
#include <string>
#include <thread>
#include <vector>

namespace {

std::vector<std::string> g_events;

std::string hex(const rt::Ref<UIColor>& colour) {
    return HexColorCodec::hexStringFromColor(colour);
}

// Lays itself out by asking for a themed colour, as the engine's view
// replacements do.
#define PASS_PROBE_METHODS(M, O, C) O(layoutSubviews)

class PassProbe : public UIView {
    RT_OBJECT(PassProbe, UIView)
    RT_METHODS(PASS_PROBE_METHODS)
};

RT_DEFINE_CLASS(PassProbe, nullptr)

void PassProbe::layoutSubviewsImpl() {
    layoutSubviewsSuper();
    g_events.push_back(std::string(PreferencePass::current() != 0 ? "in pass " : "no pass ") +
                       hex(UIColor::labelColor()));
}

void recordAt(CFIndex order, const char* name) {
    CFRunLoopObserverRef observer = CFRunLoopObserverCreateWithHandler(
        kCFAllocatorDefault, kCFRunLoopBeforeWaiting, true, order,
        [name](CFRunLoopObserverRef, CFRunLoopActivity) {
            g_events.push_back(std::string(name) +
                               (PreferencePass::current() != 0 ? " in pass" : " no pass"));
        });
    CFRunLoopAddObserver(CFRunLoopGetMain(), observer, kCFRunLoopCommonModes);
    CFRelease(observer);
}

// One commit of a window whose probe needs layout; the events it caused.
std::vector<std::string> commitOnce(PassProbe* probe) {
    g_events.clear();
    probe->setNeedsLayout();
    ns::DispatchRuntime::runOneTurn();
    return g_events;
}

void settle() {
    std::this_thread::sleep_for(PreferenceCache::kSettleTime + std::chrono::milliseconds(30));
}

TEST(LayoutPassObservers, EachCommitRunsInsideAPassThatSeesChangesWrittenBeforeIt) {
    inMessages({{"primarylabel", ns::PlistValue("112233")}}, [](SimulatedDevice& device) {
        Checks check;
        recordAt(LayoutPassObservers::kOpensAt - 1, "before");
        recordAt(LayoutPassObservers::kClosesAt + 1, "after");
        rt::Ref<UIWindow> window = rt::make<UIWindow>();
        rt::Ref<PassProbe> probe = rt::make<PassProbe>();
        window->addSubview(probe);
        settle(); // kept from now on, so only the pass's own check can find a change
        CHECK(check, (commitOnce(probe) ==
                      std::vector<std::string>{"before no pass", "in pass 112233FF", "after no pass"}));
        device.write(SimulatedDevice::target(), {{"primarylabel", ns::PlistValue("445566")}});
        CHECK(check, (commitOnce(probe) ==
                      std::vector<std::string>{"before no pass", "in pass 445566FF", "after no pass"}));
        // Outside a pass every read looks at the file.
        device.write(SimulatedDevice::target(), {{"primarylabel", ns::PlistValue("778899")}});
        CHECK(check, hex(UIColor::labelColor()) == "778899FF");
        settle();
        CHECK(check, hex(UIColor::labelColor()) == "778899FF");
        device.write(SimulatedDevice::target(), {{"primarylabel", ns::PlistValue("AABBCC")}});
        CHECK(check, hex(UIColor::labelColor()) == "AABBCCFF");
        // The run loop's own idle run commits inside a pass too.
        g_events.clear();
        probe->setNeedsLayout();
        CHECK(check, ns::DispatchRuntime::runMainQueueUntilIdle(5));
        CHECK(check, g_events.size() >= 3 && g_events[1] == "in pass AABBCCFF");
        return check.failed;
    });
}

// Method replacements are counted by the runtime's method epoch, which moves
// once for each one.
TEST(LayoutPassObservers, TheEngineStillReplacesExactlyTheHookTable) {
    EXPECT_EXIT(
        {
            SimulatedDevice device;
            CKUITheme::classObject();
            rt::Ref<UIWindow> window = rt::make<UIWindow>(); // the commit is there before the engine
            const std::uint64_t before = rt::g_methodEpoch.load();
            VantorelStartup::springBoardInitialiser();
            VantorelStartup::mainInitialiser();
            std::exit(
                rt::g_methodEpoch.load() - before == hookTable().size() && hookTable().size() == 72 ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "");
    EXPECT_EXIT(
        {
            SimulatedDevice device("com.apple.springboard");
            rt::defineClass("SpringBoard", NSObject::classObject(), [](Class c, Class) {
                class_addMethod(
                    c, rt::sel<"applicationDidFinishLaunching:">(), +[](id, SEL, id) {});
            });
            const std::uint64_t before = rt::g_methodEpoch.load();
            VantorelStartup::springBoardInitialiser();
            VantorelStartup::mainInitialiser();
            std::exit(rt::g_methodEpoch.load() - before == 1 ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "");
}

// Elsewhere, or with the theme switched off, no pass is opened: every read checks.
TEST(LayoutPassObservers, NoPassOutsideAThemedMessages) {
    for (const char* identifier : {"com.apple.springboard", "com.apple.MobileSMS"}) {
        EXPECT_EXIT(
            {
                SimulatedDevice device(identifier);
                device.write(SimulatedDevice::target(), {{"enableVantorel", ns::PlistValue(false)}});
                VantorelStartup::springBoardInitialiser();
                VantorelStartup::mainInitialiser();
                rt::Ref<UIWindow> window = rt::make<UIWindow>();
                rt::Ref<PassProbe> probe = rt::make<PassProbe>();
                window->addSubview(probe);
                const std::vector<std::string> events = commitOnce(probe);
                std::exit(events.size() == 1 && events[0].starts_with("no pass") ? 0 : 1);
            },
            ::testing::ExitedWithCode(0), "")
            << identifier;
    }
}

} // namespace
