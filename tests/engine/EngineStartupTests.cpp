// Start-up and the colour overrides, in-process. Hooks last as long as their
// process, so every scenario runs in a child process of its own (EXPECT_EXIT).
#include "ColourHex.h"
#include "HookTable.h"
#include "SimulatedDevice.h"
#include "VantorelStartup.h"

#include <ChatKit/CKUITheme.h>
#include <dispatch/dispatch.h>
#include <objc/message.h>

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace {

using ::testing::ExitedWithCode;

// Runs `scenario` in a child; the child's exit status is the number of failed checks.
#define IN_CHILD(scenario) EXPECT_EXIT({ std::exit(scenario()); }, ExitedWithCode(0), "")

int checks(std::initializer_list<bool> results) {
    int failed = 0;
    for (bool ok : results)
        failed += ok ? 0 : 1;
    return failed;
}

TEST(HookTable, RowsAreTheColourOverridesThenTheViewsInOrder) {
    auto rows = hookTable();
    ASSERT_EQ(rows.size(), 72u);
    EXPECT_STREQ(rows[0].selector, "labelColor");
    EXPECT_STREQ(rows[18].selector, "tableCellGroupedBackgroundColor");
    EXPECT_STREQ(rows[19].className, "CKUITheme");
    EXPECT_STREQ(rows[35].selector, "green_balloonColors");
    EXPECT_STREQ(rows[36].className, "UIToolbar");
    EXPECT_STREQ(rows[47].className, "_UIBarBackgroundLayoutModern");
    EXPECT_STREQ(rows[48].className, "_UIContextMenuActionsListView");
    EXPECT_STREQ(rows[51].className, "_UIContextMenuCellContentView");
    EXPECT_STREQ(rows[52].className, "CKConversationListCollectionViewController");
    EXPECT_STREQ(rows[53].className, "CKTranscriptCollectionViewController");
    EXPECT_STREQ(rows[54].selector, "shouldUseOpaqueMask");
    EXPECT_STREQ(rows[55].className, "_UICollectionViewListSeparatorView");
    EXPECT_STREQ(rows[71].className, "_UIScrollViewScrollIndicator");
    for (size_t i = 0; i < rows.size(); ++i) {
        EXPECT_EQ(rows[i].kind, i < 19 ? HookKind::classMethod : HookKind::instanceMethod)
            << rows[i].selector;
        for (size_t j = 0; j < i; ++j)
            EXPECT_NE(rows[i].install, rows[j].install) << "rows share a hook slot: " << rows[i].selector;
    }
}

TEST(EngineStartup, MessagesWithoutSettingsGetsEveryOverrideInBlack) {
    IN_CHILD([] {
        SimulatedDevice device;
        CKUITheme::classObject();
        // Every override is installed: each selector answers something new.
        std::vector<IMP> before;
        for (const HookRow& row : hookTable()) {
            Class cls = objc_getClass(row.className);
            before.push_back(rt::findMethod(row.kind == HookKind::classMethod ? object_getClass(cls) : cls,
                                            sel_registerName(row.selector))
                                 .imp);
        }
        VantorelStartup::springBoardInitialiser();
        VantorelStartup::mainInitialiser();
        int failed = 0;
        size_t i = 0;
        for (const HookRow& row : hookTable()) {
            Class cls = objc_getClass(row.className);
            IMP now = rt::findMethod(row.kind == HookKind::classMethod ? object_getClass(cls) : cls,
                                     sel_registerName(row.selector))
                          .imp;
            failed += cls && now == before[i]; // a class this platform lacks installs nothing
            ++i;
        }
        auto theme = rt::make<CKUITheme>();
        CKBalloonColors balloon = theme->gray_balloonColors();
        return failed + checks({hex(UIColor::labelColor()) == "000000FF",
                                hex(UIColor::systemBackgroundColor()) == "000000FF",
                                hex(theme->conversationListCellColor()) == "000000FF", balloon.size() == 2,
                                hex(balloon[0]) == "000000FF", hex(balloon[1]) == "000000FF",
                                // Colours the theme leaves alone keep the platform's values.
                                hex(UIColor::systemOrangeColor()) == "FF9500FF"});
    });
}

TEST(EngineStartup, AnswersFollowTheContainerCopyOnEveryCall) {
    IN_CHILD([] {
        SimulatedDevice device;
        CKUITheme::classObject();
        VantorelStartup::mainInitialiser();
        device.write(SimulatedDevice::target(), {{"primaryBackground", ns::PlistValue("102030")},
                                                 {"cell", ns::PlistValue("#abc")},
                                                 {"accent", ns::PlistValue("blue")},
                                                 {"red", ns::PlistValue("red")},
                                                 {"primarylabel", ns::PlistValue("default")},
                                                 {"imessagebubblegradient1", ns::PlistValue("ff000080")},
                                                 {"indigo", ns::PlistValue("orange")}});
        auto theme = rt::make<CKUITheme>();
        CKBalloonColors blue = theme->blue_balloonColors();
        int failed = checks({
            hex(UIColor::systemBackgroundColor()) == "102030FF",
            hex(UIColor::systemGroupedBackgroundColor()) == "102030FF",
            hex(UIColor::groupTableViewBackgroundColor()) == "102030FF",
            hex(UIColor::secondarySystemGroupedBackgroundColor()) == "AABBCCFF",
            hex(UIColor::tableCellPlainBackgroundColor()) == "AABBCCFF",
            hex(UIColor::tableCellGroupedBackgroundColor()) == "AABBCCFF",
            hex(UIColor::systemBlueColor()) == "0A85FFFF", // the engine's own blue, not the accent again
            hex(UIColor::systemRedColor()) == "FF3B30FF",  // "red" under "red" ends at the platform's red
            hex(UIColor::labelColor()) == "000000FF",      // "default" under "primarylabel" too
            hex(blue[0]) == "FF000080", hex(blue[1]) == "000000FF",
            UIColor::systemIndigoColor()->isDynamic(), // a named colour keeps following the appearance
            !UIColor::systemBackgroundColor()->isDynamic(),
            theme->blue_balloonColors()[0].get() != blue[0].get(), // a new array every call
        });
        device.write(SimulatedDevice::target(), {{"primaryBackground", ns::PlistValue("00ff00")}});
        return failed + checks({hex(UIColor::systemBackgroundColor()) == "00FF00FF"});
    });
}

TEST(EngineStartup, MasterSwitchOffInstallsNothing) {
    IN_CHILD([] {
        SimulatedDevice device;
        CKUITheme::classObject();
        device.write(SimulatedDevice::target(),
                     {{"enableVantorel", ns::PlistValue(false)}, {"primarylabel", ns::PlistValue("ff0000")}});
        VantorelStartup::mainInitialiser();
        return checks({hex(UIColor::labelColor()) == "000000FF",
                       hex(UIColor::systemBlueColor()) == "007AFFFF",
                       hex(rt::make<CKUITheme>()->blue_sendButtonColor()) == "007AFFFF"});
    });
}

TEST(EngineStartup, OnlyTheExactMessagesIdentifierIsMessages) {
    for (const char* other : {"com.apple.mobilesms", "com.apple.MobileSMS ", "com.apple.springboard"}) {
        EXPECT_EXIT(
            {
                SimulatedDevice device(other);
                device.write(SimulatedDevice::target(), {{"accent", ns::PlistValue("ff0000")}});
                VantorelStartup::mainInitialiser();
                std::exit(hex(UIColor::systemBlueColor()) == "007AFFFF" ? 0 : 1);
            },
            ExitedWithCode(0), "")
            << other;
    }
    IN_CHILD([] {
        SimulatedDevice device;
        ns::ProcessIdentity::configure(std::nullopt, std::nullopt); // a process without a bundle identifier
        VantorelStartup::mainInitialiser();
        return checks(
            {hex(UIColor::labelColor()) == "000000FF", hex(UIColor::systemRedColor()) == "FF3B30FF"});
    });
}

TEST(EngineStartup, APlatformWithoutAClassStillGetsTheOtherRows) {
    IN_CHILD([] {
        SimulatedDevice device;
        CKUITheme::classObject();
        rt::hideClass("CKUITheme");
        device.write(SimulatedDevice::target(), {{"accent", ns::PlistValue("123456")}});
        VantorelStartup::mainInitialiser();
        rt::Ref<CKUITheme> theme = rt::createInstance<CKUITheme>(CKUITheme::classObject());
        return checks({hex(UIColor::systemBlueColor()) == "123456FF",
                       hex(UIColor::tableCellGroupedBackgroundColor()) == "000000FF",
                       // Messages' own theme colours are untouched; those it takes from
                       // UIColor follow the overrides.
                       hex(theme->blue_balloonColors()[0]) == "0A84FFFF",
                       hex(theme->blue_sendButtonColor()) == "123456FF"});
    });
}

int g_launches = 0;
const SimulatedDevice* g_launchingDevice = nullptr;
bool g_syncedBeforeLaunch = false;
void countLaunch(id, SEL, id) {
    ++g_launches;
    g_syncedBeforeLaunch = g_launchingDevice && !g_launchingDevice->syslog().empty();
}

TEST(EngineStartup, SpringBoardGetsOnlyItsLaunchHookAndOnlyOnce) {
    IN_CHILD([] {
        SimulatedDevice device("com.apple.springboard");
        g_launchingDevice = &device;
        rt::defineClass("SpringBoard", NSObject::classObject(), [](Class c, Class) {
            class_addMethod(c, rt::sel<"applicationDidFinishLaunching:">(), &countLaunch);
        });
        device.write(SimulatedDevice::kSource, {{"primarylabel", ns::PlistValue("ff0000")}});
        IMP label = rt::findMethod(object_getClass(UIColor::classObject()), rt::sel<"labelColor">()).imp;
        // Calling the initialisers again must not stack a second hook on the first.
        for (int i = 0; i < 2; ++i) {
            VantorelStartup::springBoardInitialiser();
            VantorelStartup::mainInitialiser();
        }
        rt::Ref<NSObject> springBoard = rt::createInstance<NSObject>(objc_getClass("SpringBoard"));
        rt::send<void(id)>(springBoard.get(), rt::sel<"applicationDidFinishLaunching:">(), springBoard.get());
        ns::DispatchRuntime::runMainQueueUntilIdle(30);
        return checks(
            {g_launches == 1,
             // SpringBoard finishes its own launch before the sync starts.
             !g_syncedBeforeLaunch,
             rt::findMethod(object_getClass(UIColor::classObject()), rt::sel<"labelColor">()).imp == label,
             // The launch ran the sync once: no remembered path yet, so it scanned.
             device.syslog().find("no sms path") != std::string::npos});
    });
}

TEST(EngineStartup, SpringBoardHookIsHarmlessWhereThereIsNoSpringBoard) {
    IN_CHILD([] {
        SimulatedDevice device;
        VantorelStartup::springBoardInitialiser();
        return checks({objc_getClass("SpringBoard") == nullptr, device.syslog().empty()});
    });
}

} // namespace
