// The pane as the Settings host sees it: the bundle is loaded with dlopen and
// its pages are made by class name.
#include "../platform/foundation/TemporaryDirectory.h"
#include "PresentedAnimated.h"

#include <CoreFoundation/CFNotificationCenter.h>
#include <Foundation/DevicePath.h>
#include <Foundation/PlistFile.h>
#include <Foundation/SpawnedProcesses.h>
#include <Preferences/PSListController.h>
#include <UIKit/UIAlertController.h>
#include <UIKit/UIApplication.h>
#include <UIKit/UINavigationController.h>
#include <UIKit/UINavigationItem.h>
#include <UIKit/UIWindow.h>
#include <objc/message.h>

#include <dlfcn.h>

#include <substrate.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using ns::PlistDictionary;
using ns::PlistValue;

constexpr const char* kBundle = "/Library/PreferenceBundles/VantorelPrefs.bundle";
constexpr const char* kDomain = "com.tavq.vantorelprefs";
constexpr const char* kFile = "/var/mobile/Library/Preferences/com.tavq.vantorelprefs.plist";
constexpr const char* kPages[] = {
    "ConversationList", "Chat",       "ChatBubble",  "Navigation", "SystemColour",
    "BackgroundColour", "CellColour", "LabelColour", "MenuColour", "Misc"};

void loadPane() {
    static void* handle = dlopen(VANTORELPREFS_BINARY, RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(handle, nullptr) << dlerror();
}

class Pane : public ::testing::Test {
  protected:
    void SetUp() override {
        loadPane();
        setenv(ns::DevicePath::kRootVariable, m_device.path().c_str(), 1);
        for (const char* folder : {"var/mobile/Library/Preferences", "var/log", "usr/bin",
                                   "Library/PreferenceBundles/VantorelPrefs.bundle"})
            fs::create_directories(fs::path(m_device.path()) / folder);
        for (const rt::Ref<UIWindow>& window : UIApplication::sharedApplication()->windows())
            window->setTintColor(nullptr);
        UINavigationBar::appearance()->setTintColor(nullptr);
    }
    void TearDown() override {
        ns::SpawnedProcesses::waitAll();
        unsetenv(ns::DevicePath::kRootVariable);
    }

    fs::path host(const std::string& devicePath) const {
        return fs::path(m_device.path()) / fs::path(devicePath).relative_path();
    }
    std::string read(const std::string& devicePath) const {
        std::ifstream in(host(devicePath));
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }

    static void writeLayout(const std::string& name, ns::PlistArray items) {
        ASSERT_TRUE(ns::PlistFile::writeDictionary(std::string(kBundle) + "/" + name + ".plist",
                                                   {{"items", PlistValue(std::move(items))}})
                        .ok());
    }

    static rt::Ref<PSListController> make(const char* className) {
        Class cls = objc_getClass(className);
        EXPECT_NE(cls, nullptr) << className;
        rt::Ref<PSListController> page = rt::createInstance<PSListController>(cls);
        if (page)
            page->setBundlePath(kBundle);
        return page;
    }

    static rt::Ref<PSSpecifier> row(PlistDictionary fields) {
        return PSSpecifier::specifierWithLayoutItem(fields, nullptr);
    }

    static PlistDictionary stored() {
        auto file = ns::PlistFile::readDictionary(kFile);
        return file.ok() ? file.value() : PlistDictionary{};
    }

    TemporaryDirectory m_device;
};

TEST_F(Pane, LoadingTheBundleRegistersTheElevenPagesUnderTheHostsListController) {
    Class listController = PSListController::classObject();
    Class root = objc_getClass("VRSRootListController");
    Class external = objc_getClass("VRSExternalController");
    ASSERT_TRUE(root && external);
    EXPECT_EQ(class_getSuperclass(root), listController);
    EXPECT_EQ(class_getSuperclass(external), listController);
    for (const char* page : kPages) {
        std::string name = std::string("VRS") + page + "Controller";
        Class cls = objc_getClass(name.c_str());
        ASSERT_NE(cls, nullptr) << name;
        EXPECT_EQ(class_getSuperclass(cls), external) << name;
    }
}

TEST_F(Pane, EachPageLoadsItsOwnLayoutOnce) {
    std::vector<std::pair<std::string, std::string>> pages{{"VRSRootListController", "Root"}};
    for (const char* page : kPages)
        pages.emplace_back(std::string("VRS") + page + "Controller", page);
    for (const auto& [className, layout] : pages)
        writeLayout(layout, {PlistValue(PlistDictionary{{"cell", "PSGroupCell"}, {"label", layout}})});

    for (const auto& [className, layout] : pages) {
        auto page = make(className.c_str());
        PSSpecifierArray rows = page->specifiers();
        ASSERT_EQ(rows.size(), 1u) << className;
        EXPECT_EQ(rows[0]->name(), layout);
        EXPECT_EQ(rows[0]->target().get(), page.get());

        // The layout changes on disk; the page keeps the rows it built.
        writeLayout(layout, {});
        PSSpecifierArray again = page->specifiers();
        ASSERT_EQ(again.size(), 1u) << className;
        EXPECT_EQ(again[0].get(), rows[0].get());
        writeLayout(layout, {PlistValue(PlistDictionary{{"cell", "PSGroupCell"}, {"label", layout}})});
    }
}

TEST_F(Pane, LargeTitlesGoOffWhenThePageLoads) {
    auto root = make("VRSRootListController");
    auto stack = rt::make<UINavigationController>();
    stack->navigationBar()->setPrefersLargeTitles(YES);
    stack->initWithRootViewController(root);
    root->view();
    EXPECT_FALSE(stack->navigationBar()->prefersLargeTitles());

    auto alone = make("VRSChatController"); // off any stack: nothing to change, nothing breaks
    alone->view();
    EXPECT_TRUE(alone->isViewLoaded());
}

TEST_F(Pane, WhileVisibleTheKeyWindowCarriesTheAccentAndAFreshApplyIsInstalled) {
    auto other = rt::make<UIWindow>();
    auto key = rt::make<UIWindow>();
    key->makeKeyWindow();
    auto page = make("VRSMiscController");

    page->viewWillAppear(YES);
    EXPECT_TRUE(key->ownTintColor() && key->ownTintColor()->isEqual(UIColor::systemOrangeColor()));
    EXPECT_FALSE(other->ownTintColor());
    rt::Ref<UIBarButtonItem> first = page->navigationItem()->rightBarButtonItem();
    ASSERT_TRUE(first);
    EXPECT_EQ(first->title(), "Apply");
    EXPECT_EQ(first->style(), UIBarButtonItemStylePlain);
    EXPECT_EQ(first->target().get(), page.get());
    EXPECT_STREQ(sel_getName(first->action()), "respring:");

    page->viewWillDisappear(YES);
    EXPECT_FALSE(key->ownTintColor()); // the proxy's nil: the window inherits again
    EXPECT_TRUE(key->tintColor()->isEqual(UIColor::systemBlueColor()));

    UINavigationBar::appearance()->setTintColor(UIColor::systemTealColor());
    page->viewWillAppear(NO);
    EXPECT_NE(page->navigationItem()->rightBarButtonItem().get(), first.get());
    page->viewWillDisappear(NO);
    EXPECT_EQ(key->ownTintColor().get(), UIColor::systemTealColor().get());
}

// The host's list controller does its own work when a page loads, appears and
// goes (here the opposite of the pane's); the pane's work comes after it.
void (*g_hostLoad)(id, SEL) = nullptr;
void (*g_hostAppear)(id, SEL, BOOL) = nullptr;
void (*g_hostDisappear)(id, SEL, BOOL) = nullptr;
int g_hostCalls = 0;
void hostLoad(id self, SEL cmd) {
    ++g_hostCalls;
    g_hostLoad(self, cmd);
    if (auto stack = static_cast<PSListController*>(self)->navigationController())
        stack->navigationBar()->setPrefersLargeTitles(YES);
}
void hostAppear(id self, SEL cmd, BOOL animated) {
    ++g_hostCalls;
    g_hostAppear(self, cmd, animated);
    static_cast<PSListController*>(self)->navigationItem()->setRightBarButtonItem(nullptr);
    UIApplication::sharedApplication()->keyWindow()->setTintColor(UIColor::systemPinkColor());
}
void hostDisappear(id self, SEL cmd, BOOL animated) {
    ++g_hostCalls;
    g_hostDisappear(self, cmd, animated);
    UIApplication::sharedApplication()->keyWindow()->setTintColor(UIColor::systemPinkColor());
}

TEST_F(Pane, ThePagesWorkComesAfterTheHostsOwn) {
    EXPECT_EXIT(
        {
            Class list = PSListController::classObject();
            MSHookMessageEx(list, rt::sel<"viewDidLoad">(), &hostLoad, &g_hostLoad);
            MSHookMessageEx(list, rt::sel<"viewWillAppear:">(), &hostAppear, &g_hostAppear);
            MSHookMessageEx(list, rt::sel<"viewWillDisappear:">(), &hostDisappear, &g_hostDisappear);
            auto key = rt::make<UIWindow>();
            key->makeKeyWindow();
            int failed = 0;
            for (const char* name : {"VRSRootListController", "VRSChatController"}) {
                auto page = make(name);
                auto stack = rt::make<UINavigationController>();
                stack->initWithRootViewController(page);
                page->view();
                failed += stack->navigationBar()->prefersLargeTitles() ? 1 : 0;
                page->viewWillAppear(NO);
                failed += page->navigationItem()->rightBarButtonItem() ? 0 : 1;
                failed +=
                    key->ownTintColor() && key->ownTintColor()->isEqual(UIColor::systemOrangeColor()) ? 0 : 1;
                page->viewWillDisappear(NO);
                failed += key->ownTintColor() ? 1 : 0;
            }
            failed += g_hostCalls == 6 ? 0 : 1; // none of the host's own steps was skipped
            std::exit(failed);
        },
        ::testing::ExitedWithCode(0), "");
}

TEST_F(Pane, WithoutAKeyWindowAppearingChangesNoTintButStillInstallsApply) {
    auto window = rt::make<UIWindow>();
    window->makeKeyWindow();
    window = nullptr; // the key window is gone
    auto plain = rt::make<UIWindow>();
    plain->setTintColor(UIColor::systemPinkColor());
    ASSERT_FALSE(UIApplication::sharedApplication()->keyWindow());

    auto page = make("VRSRootListController");
    page->viewWillAppear(NO);
    EXPECT_TRUE(page->navigationItem()->rightBarButtonItem());
    page->viewWillDisappear(NO);
    for (const rt::Ref<UIWindow>& each : UIApplication::sharedApplication()->windows())
        if (each.get() != plain.get()) {
            EXPECT_FALSE(each->ownTintColor());
        }
    EXPECT_EQ(plain->ownTintColor().get(), UIColor::systemPinkColor().get());
}

TEST_F(Pane, ReadingShowsTheStoredValueElseTheRowsDefault) {
    auto page = make("VRSChatController");
    auto blur = row({{"key", "enableChatBlur"}, {"defaults", kDomain}, {"default", false}});
    auto bare = row({{"key", "enableChatWallpaper"}, {"defaults", kDomain}});
    EXPECT_EQ(page->readPreferenceValue(blur), PlistValue(false)); // no file
    EXPECT_TRUE(page->readPreferenceValue(bare).isNull());

    ASSERT_TRUE(ns::PlistFile::writeDictionary(kFile, {{"enableChatBlur", true}}).ok());
    EXPECT_EQ(page->readPreferenceValue(blur), PlistValue(true));
    EXPECT_TRUE(page->readPreferenceValue(bare).isNull());
    ASSERT_TRUE(ns::PlistFile::writeDictionary(kFile, {{"enableChatBlur", false}}).ok());
    EXPECT_EQ(page->readPreferenceValue(blur), PlistValue(false)); // read afresh every time

    std::ofstream(host(kFile)) << "not a property list";
    EXPECT_EQ(page->readPreferenceValue(row({{"key", "x"}, {"defaults", kDomain}, {"default", 5}})),
              PlistValue(5));
}

// A row that shows a number (a menu's position) reads a stored value of no use
// to it as unset; any other row shows what is stored, whatever it is.
TEST_F(Pane, AMenuRowWantsANumberAndATextRowTakesWhatIsStored) {
    auto page = make("VRSChatController");
    auto menu = row({{"cell", "PSStaticTextCell"},
                     {"key", "chatBlurStyle"},
                     {"defaults", kDomain},
                     {"default", 1},
                     {"validTitles", ns::PlistArray{"Light", "Dark"}}});
    auto text =
        row({{"cell", "PSStaticTextCell"}, {"key", "note"}, {"defaults", kDomain}, {"default", "none"}});
    auto toggle =
        row({{"cell", "PSSwitchCell"}, {"key", "enableChatBlur"}, {"defaults", kDomain}, {"default", true}});
    const PlistValue odd(PlistDictionary{{"style", 2}});
    ASSERT_TRUE(ns::PlistFile::writeDictionary(
                    kFile, {{"chatBlurStyle", odd}, {"note", odd}, {"enableChatBlur", odd}})
                    .ok());
    EXPECT_EQ(page->readPreferenceValue(menu), PlistValue(1));
    EXPECT_EQ(page->readPreferenceValue(toggle), PlistValue(true)) << "a switch wants a number too";
    EXPECT_EQ(page->readPreferenceValue(text), odd);
    ASSERT_TRUE(ns::PlistFile::writeDictionary(kFile, {{"chatBlurStyle", 0}}).ok());
    EXPECT_EQ(page->readPreferenceValue(menu), PlistValue(0));
}

TEST_F(Pane, WritingKeepsEveryOtherKeyAndCreatesAMissingFileWithJustThatKey) {
    auto page = make("VRSRootListController");
    auto master = row({{"key", "enableVantorel"}, {"defaults", kDomain}});
    page->setPreferenceValue(PlistValue(false), master);
    EXPECT_EQ(stored(), (PlistDictionary{{"enableVantorel", false}}));

    ASSERT_TRUE(ns::PlistFile::writeDictionary(
                    kFile, {{"enableVantorel", false}, {"primarylabel", "FF0000FF"}, {"chatBlurStyle", 2}})
                    .ok());
    page->setPreferenceValue(PlistValue(true), master);
    EXPECT_EQ(stored(), (PlistDictionary{
                            {"enableVantorel", true}, {"primarylabel", "FF0000FF"}, {"chatBlurStyle", 2}}));
}

TEST_F(Pane, ANilValueOrARowWithoutKeyOrDefaultsStoresNothingAndPostsNothing) {
    auto page = make("VRSMiscController");
    const std::string note = "com.tavq.vantorelprefs/ReloadPrefs";
    page->setPreferenceValue(PlistValue(),
                             row({{"key", "a"}, {"defaults", kDomain}, {"PostNotification", note}}));
    page->setPreferenceValue(PlistValue(true), row({{"defaults", kDomain}, {"PostNotification", note}}));
    page->setPreferenceValue(PlistValue(true), row({{"key", "a"}, {"PostNotification", note}}));
    page->setPreferenceValue(PlistValue(true), row({{"key", ""}, {"defaults", kDomain}}));
    page->setPreferenceValue(PlistValue(true), nullptr);
    EXPECT_FALSE(fs::exists(host(kFile)));
    EXPECT_TRUE(fs::is_empty(host("/var/mobile/Library/Preferences")));
    EXPECT_FALSE(fs::exists(host("/var/log/notifications")));

    ASSERT_TRUE(ns::PlistFile::writeDictionary(kFile, {{"a", 1}}).ok());
    page->setPreferenceValue(PlistValue(), row({{"key", "a"}, {"defaults", kDomain}}));
    EXPECT_EQ(stored(), (PlistDictionary{{"a", 1}})); // nil does not remove either
}

std::vector<std::string> g_posts;

void notePost(CFNotificationCenterRef, void*, CFNotificationName name, const void*, CFDictionaryRef) {
    auto file = ns::PlistFile::readDictionary(kFile);
    const bool written = file.ok() && file.value().count("enableChatBlur") &&
                         file.value().at("enableChatBlur") == PlistValue(true);
    g_posts.push_back(std::string(name) + (written ? " after write" : " before write"));
}

TEST_F(Pane, ARowsNotificationIsPostedOncePerChangeAfterTheWrite) {
    g_posts.clear();
    static const char kObserver[] = "pane test";
    CFNotificationCenterAddObserver(CFNotificationCenterGetDarwinNotifyCenter(), kObserver, &notePost,
                                    nullptr, nullptr, CFNotificationSuspensionBehaviorDeliverImmediately);
    auto page = make("VRSChatController");
    auto posting =
        row({{"key", "enableChatBlur"}, {"defaults", kDomain}, {"PostNotification", "com.example/blur"}});
    auto quiet = row({{"key", "enableChatWallpaper"}, {"defaults", kDomain}});
    page->setPreferenceValue(PlistValue(true), posting);
    page->setPreferenceValue(PlistValue(true), quiet);
    page->setPreferenceValue(PlistValue(true), posting);
    CFNotificationCenterRemoveEveryObserver(CFNotificationCenterGetDarwinNotifyCenter(), kObserver);
    EXPECT_EQ(g_posts,
              (std::vector<std::string>{"com.example/blur after write", "com.example/blur after write"}));
    EXPECT_EQ(read("/var/log/notifications"), "com.example/blur\ncom.example/blur\n");
}

class Respring : public Pane {
  protected:
    void SetUp() override {
        Pane::SetUp();
        // Records each run's arguments instead of restarting anything.
        fs::path killall = host("/usr/bin/killall");
        std::ofstream(killall) << "#!/bin/sh\necho \"$*\" >> \"$SIMDEVICE_ROOT/var/log/killall\"\n";
        fs::permissions(killall, fs::perms::owner_all);
        m_page = make("VRSRootListController");
        m_page->viewWillAppear(NO);
        m_apply = m_page->navigationItem()->rightBarButtonItem();
        ASSERT_TRUE(m_apply);
    }

    rt::Ref<UIAlertController> tapApply() {
        EXPECT_TRUE(m_apply->tap());
        rt::Ref<UIViewController> shown = m_page->presentedViewController();
        EXPECT_TRUE(shown && shown->isKindOfClass(UIAlertController::classObject()));
        return rt::Ref<UIAlertController>(static_cast<UIAlertController*>(shown.get()));
    }

    rt::Ref<PSListController> m_page;
    rt::Ref<UIBarButtonItem> m_apply;
};

TEST_F(Respring, ApplyAsksWithYesThenNo) {
    rt::Ref<UIAlertController> alert = tapApply();
    ASSERT_TRUE(alert);
    EXPECT_EQ(alert->title(), "Respring");
    EXPECT_EQ(alert->message(), "Are you sure?");
    EXPECT_EQ(alert->preferredStyle(), UIAlertControllerStyleAlert);
    ASSERT_EQ(alert->actions().size(), 2u);
    EXPECT_EQ(alert->actions()[0]->title(), "Yes");
    EXPECT_EQ(alert->actions()[0]->style(), UIAlertActionStyleDefault);
    EXPECT_EQ(alert->actions()[1]->title(), "No");
    EXPECT_EQ(alert->actions()[1]->style(), UIAlertActionStyleCancel);
}

TEST_F(Respring, TheAlertOpensAnimated) {
    EXPECT_EXIT(
        {
            presented::watch();
            const bool asked = tapApply() != nullptr;
            std::exit(asked && presented::animated == std::vector<bool>{true} ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "");
}

TEST_F(Respring, NoOnlyClosesTheAlert) {
    ASSERT_TRUE(ns::PlistFile::writeDictionary(kFile, {{"enableVantorel", true}}).ok());
    const std::size_t before = ns::SpawnedProcesses::count();
    rt::Ref<UIAlertController> alert = tapApply();
    ASSERT_TRUE(alert);
    EXPECT_TRUE(alert->_dismissWithAction(alert->actions()[1]));
    EXPECT_FALSE(m_page->presentedViewController());
    EXPECT_EQ(ns::SpawnedProcesses::count(), before);
    EXPECT_FALSE(fs::exists(host("/var/log/killall")));
    EXPECT_EQ(stored(), (PlistDictionary{{"enableVantorel", true}}));
}

TEST_F(Respring, YesSpawnsExactlyOneKillallOfBackboardd) {
    const std::size_t before = ns::SpawnedProcesses::count();
    rt::Ref<UIAlertController> alert = tapApply();
    ASSERT_TRUE(alert);
    EXPECT_TRUE(alert->_dismissWithAction(alert->actions()[0]));
    EXPECT_FALSE(m_page->presentedViewController());
    EXPECT_EQ(ns::SpawnedProcesses::count(), before + 1);
    auto exits = ns::SpawnedProcesses::waitAll();
    ASSERT_EQ(exits.size(), 1u);
    EXPECT_EQ(read("/var/log/killall"), "backboardd\n");
}

} // namespace
