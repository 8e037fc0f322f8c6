#include "../foundation/TemporaryDirectory.h"

#include <CoreFoundation/CFNotificationCenter.h>
#include <Foundation/DevicePath.h>
#include <Foundation/PlistFile.h>
#include <Preferences/PSListController.h>
#include <Preferences/PSSwitchTableCell.h>
#include <UIKit/UINavigationController.h>
#include <UIKit/UIWindow.h>
#include <objc/message.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using ns::PlistArray;
using ns::PlistDictionary;
using ns::PlistValue;

constexpr const char* kBundle = "/Library/PreferenceBundles/Test.bundle";
constexpr const char* kDomain = "com.example.testprefs";
constexpr const char* kFile = "/var/mobile/Library/Preferences/com.example.testprefs.plist";

std::vector<std::string> g_events;

// A page whose value traffic is recorded, on top of the host's own.
class RecordingPage : public PSListController {
  public:
    static Class classObject() {
        static const Class cls =
            rt::defineClass("PSTestsRecordingPage", PSListController::classObject(), [](Class c, Class) {
                class_addMethod(
                    c, rt::sel<"setPreferenceValue:specifier:">(),
                    +[](id self, SEL cmd, const PlistValue& value, PSSpecifier* specifier) {
                        g_events.push_back("set " + specifier->identifier() + "=" + value.description());
                        rt::sendSuper<void(const PlistValue&, PSSpecifier*)>(
                            self, RecordingPage::classObject(), cmd, value, specifier);
                    });
                class_addMethod(
                    c, rt::sel<"tapped:">(), +[](id, SEL, id sender) {
                        g_events.push_back("tapped " + static_cast<PSSpecifier*>(sender)->identifier());
                    });
                rt::setAllocator(c, &rt::allocate<RecordingPage>);
            });
        return cls;
    }
    explicit RecordingPage(Class cls) : PSListController(cls) {}
};

// A custom cell the layout can name, and one that refuses to be made.
const Class kCustomCell = rt::defineClass("PSTestsCustomCell", PSSwitchTableCell::classObject(), nullptr);
const Class kRefusingCell =
    rt::defineClass("PSTestsRefusingCell", PSTableCell::classObject(), [](Class c, Class) {
        class_addMethod(
            c, rt::sel<"initWithStyle:reuseIdentifier:specifier:">(),
            +[](id, SEL, UITableViewCellStyle, const std::string&, PSSpecifier*) -> id { return nullptr; });
    });
const Class kNotACell = rt::defineClass("PSTestsNotACell", UIView::classObject(), nullptr);

class PreferencesHost : public ::testing::Test {
  protected:
    void SetUp() override {
        g_events.clear();
        setenv(ns::DevicePath::kRootVariable, m_device.path().c_str(), 1);
        for (const char* folder :
             {"var/mobile/Library/Preferences", "var/log", "Library/PreferenceBundles/Test.bundle"})
            fs::create_directories(fs::path(m_device.path()) / folder);
    }
    void TearDown() override { unsetenv(ns::DevicePath::kRootVariable); }

    static void writeLayout(const std::string& name, PlistArray items, const char* title = nullptr) {
        PlistDictionary layout{{"items", PlistValue(std::move(items))}};
        if (title)
            layout["title"] = title;
        ASSERT_TRUE(
            ns::PlistFile::writeDictionary(std::string(kBundle) + "/" + name + ".plist", layout).ok());
    }

    static PlistValue row(PlistDictionary fields) { return PlistValue(std::move(fields)); }

    static rt::Ref<RecordingPage> page() {
        rt::Ref<RecordingPage> controller = rt::createInstance<RecordingPage>(RecordingPage::classObject());
        controller->setBundlePath(kBundle);
        return controller;
    }

    static PlistDictionary stored() {
        auto file = ns::PlistFile::readDictionary(kFile);
        return file.ok() ? file.value() : PlistDictionary{};
    }

    bool fileExists() const {
        return fs::exists(fs::path(m_device.path()) / fs::path(kFile).relative_path());
    }

    TemporaryDirectory m_device;
};

TEST_F(PreferencesHost, LayoutItemsBecomeRowsOfTheirKind) {
    writeLayout(
        "Page",
        {row({{"cell", "PSGroupCell"}, {"label", "Group"}}),
         row({{"cell", "PSSwitchCell"},
              {"label", "Switch"},
              {"key", "flag"},
              {"defaults", kDomain},
              {"cellClass", "PSTestsCustomCell"}}),
         row({{"cell", "PSLinkCell"}, {"label", "More"}, {"detail", "PSTestsRecordingPage"}, {"id", "More"}}),
         row({{"cell", "PSLinkCell"}, {"label", "Gone"}, {"detail", "NoSuchController"}}),
         row({{"cell", "PSButtonCell"}, {"title", "Press"}, {"action", "tapped:"}}), PlistValue("not a row"),
         row({{"cell", "PSMadeUpCell"}, {"label", "Odd"}})},
        "Test page");
    auto controller = page();
    PSSpecifierArray rows = controller->loadSpecifiersFromPlistName("Page", controller);
    ASSERT_EQ(rows.size(), 6u);
    EXPECT_EQ(controller->title(), "Test page");

    EXPECT_EQ(rows[0]->cellType(), PSGroupCell);
    EXPECT_EQ(rows[1]->cellType(), PSSwitchCell);
    EXPECT_EQ(rows[1]->identifier(), "flag");
    EXPECT_EQ(rows[1]->cellClassName(), "PSTestsCustomCell");
    EXPECT_EQ(rows[1]->target().get(), controller.get());
    EXPECT_EQ(rows[1]->propertyForKey("defaults"), PlistValue(kDomain));
    EXPECT_TRUE(rows[1]->propertyForKey("PostNotification").isNull());
    EXPECT_EQ(sel_getName(rows[1]->getter()), std::string("readPreferenceValue:"));
    EXPECT_EQ(sel_getName(rows[1]->setter()), std::string("setPreferenceValue:specifier:"));
    EXPECT_EQ(rows[2]->detailControllerClass(), RecordingPage::classObject());
    EXPECT_EQ(rows[2]->identifier(), "More");
    EXPECT_EQ(rows[3]->detailControllerClass(), nullptr);
    EXPECT_EQ(rows[3]->detailControllerClassName(), "NoSuchController");
    EXPECT_EQ(sel_getName(rows[4]->buttonAction()), std::string("tapped:"));
    EXPECT_EQ(rows[4]->name(), ""); // "title" is the cell's business, not the row's name
    EXPECT_EQ(rows[5]->cellType(), PSStaticTextCell);

    EXPECT_TRUE(controller->loadSpecifiersFromPlistName("Missing", controller).empty());
    controller->setBundlePath("");
    EXPECT_TRUE(controller->loadSpecifiersFromPlistName("Page", controller).empty());
}

TEST_F(PreferencesHost, CellsComeFromTheNamedClassOrFallBackToTheHostsOwnForTheKind) {
    auto named = [](const char* cell, const char* cellClass) {
        PlistDictionary item{{"cell", cell}, {"label", "Row"}};
        if (cellClass)
            item["cellClass"] = cellClass;
        return PSSpecifier::specifierWithLayoutItem(item, nullptr);
    };
    EXPECT_EQ(PSListController::cellClassForSpecifier(named("PSSwitchCell", "PSTestsCustomCell")),
              kCustomCell);
    EXPECT_EQ(PSListController::cellClassForSpecifier(named("PSSwitchCell", "PQSwitchCell")),
              PSSwitchTableCell::classObject());
    EXPECT_EQ(PSListController::cellClassForSpecifier(named("PSButtonCell", "PQColorPickerCell")),
              PSTableCell::classObject());
    EXPECT_EQ(PSListController::cellClassForSpecifier(named("PSButtonCell", "PSTestsNotACell")),
              PSTableCell::classObject());
    EXPECT_EQ(PSListController::cellClassForSpecifier(named("PSLinkCell", nullptr)),
              PSTableCell::classObject());

    // A named cell whose initialiser refuses still leaves the row a cell.
    auto controller = page();
    auto refusing = named("PSSwitchCell", "PSTestsRefusingCell");
    ASSERT_EQ(PSListController::cellClassForSpecifier(refusing), kRefusingCell);
    rt::Ref<PSTableCell> cell = controller->cachedCellForSpecifier(refusing);
    ASSERT_TRUE(cell);
    EXPECT_EQ(object_getClass(cell), PSSwitchTableCell::classObject());
    (void)kNotACell;
}

TEST_F(PreferencesHost, ASwitchShowsTheStoredValueAndReportsAFlipAsABoolean) {
    ASSERT_TRUE(ns::PlistFile::writeDictionary(kFile, {{"flag", true}, {"other", 7}}).ok());
    writeLayout("Page", {row({{"cell", "PSSwitchCell"},
                              {"label", "Flag"},
                              {"key", "flag"},
                              {"defaults", kDomain},
                              {"cellClass", "PSTestsCustomCell"}})});
    auto controller = page();
    controller->_specifiers = controller->loadSpecifiersFromPlistName("Page", controller);
    rt::Ref<PSSpecifier> flag = controller->specifiers().at(0);
    rt::Ref<PSTableCell> cell = controller->cachedCellForSpecifier(flag);
    EXPECT_EQ(cell.get(), controller->cachedCellForSpecifier(flag).get()); // made once
    ASSERT_EQ(object_getClass(cell), kCustomCell);
    auto* switchCell = static_cast<PSSwitchTableCell*>(cell.get());
    EXPECT_TRUE(switchCell->control()->isOn());
    EXPECT_EQ(switchCell->accessoryView().get(), switchCell->control().get());
    EXPECT_EQ(cell->textLabel()->text(), "Flag");
    EXPECT_EQ(cell->_viewControllerForAncestor().get(), controller.get());

    switchCell->control()->toggleByUser(NO);
    EXPECT_EQ(g_events, (std::vector<std::string>{"set flag=false"}));
    EXPECT_EQ(stored(), (PlistDictionary{{"flag", false}, {"other", 7}}));
}

TEST_F(PreferencesHost, TheHostsOwnValueAccessKeepsOtherKeysAndStoresNothingBroken) {
    auto controller = page();
    auto rowWith = [](PlistDictionary item) { return PSSpecifier::specifierWithLayoutItem(item, nullptr); };
    auto flag = rowWith({{"key", "flag"}, {"defaults", kDomain}, {"default", true}});
    EXPECT_EQ(controller->readPreferenceValue(flag), PlistValue(true)); // no file: the default

    controller->setPreferenceValue(PlistValue(), flag);
    controller->setPreferenceValue(PlistValue(false), rowWith({{"defaults", kDomain}}));
    controller->setPreferenceValue(PlistValue(false), rowWith({{"key", "flag"}}));
    controller->setPreferenceValue(PlistValue(false), rowWith({{"key", "flag"}, {"defaults", 3}}));
    EXPECT_FALSE(fileExists());

    controller->setPreferenceValue(PlistValue(false), flag);
    EXPECT_EQ(stored(), (PlistDictionary{{"flag", false}}));
    EXPECT_EQ(controller->readPreferenceValue(flag), PlistValue(false)); // stored NO beats default YES
    controller->setPreferenceValue(PlistValue("x"), rowWith({{"key", "name"}, {"defaults", kDomain}}));
    EXPECT_EQ(stored(), (PlistDictionary{{"flag", false}, {"name", "x"}}));
}

TEST_F(PreferencesHost, TheHostsOwnWritePostsTheRowsNotificationAfterTheWrite) {
    static std::vector<std::string> seen;
    seen.clear();
    static const char kObserver[] = "test";
    CFNotificationCenterAddObserver(
        CFNotificationCenterGetDarwinNotifyCenter(), kObserver,
        +[](CFNotificationCenterRef, void*, CFNotificationName name, const void*, CFDictionaryRef) {
            auto file = ns::PlistFile::readDictionary(kFile);
            seen.push_back(std::string(name) +
                           (file.ok() && file.value().count("flag") ? " after write" : " early"));
        },
        nullptr, nullptr, CFNotificationSuspensionBehaviorDeliverImmediately);
    auto controller = page();
    auto posting = PSSpecifier::specifierWithLayoutItem(
        {{"key", "flag"}, {"defaults", kDomain}, {"PostNotification", "com.example/changed"}}, nullptr);
    auto quiet = PSSpecifier::specifierWithLayoutItem({{"key", "other"}, {"defaults", kDomain}}, nullptr);
    controller->setPreferenceValue(PlistValue(true), posting);
    controller->setPreferenceValue(PlistValue(true), quiet);
    CFNotificationCenterRemoveEveryObserver(CFNotificationCenterGetDarwinNotifyCenter(), kObserver);
    EXPECT_EQ(seen, (std::vector<std::string>{"com.example/changed after write"}));
}

TEST_F(PreferencesHost, TappingALinkPushesItsPageAndAButtonSendsItsAction) {
    writeLayout("Page",
                {row({{"cell", "PSLinkCell"}, {"label", "More"}, {"detail", "PSTestsRecordingPage"}}),
                 row({{"cell", "PSButtonCell"}, {"id", "press"}, {"action", "tapped:"}}),
                 row({{"cell", "PSLinkCell"}, {"title", "Nowhere"}, {"detail", "NoSuchController"}})});
    auto root = page();
    auto stack = rt::make<UINavigationController>();
    stack->initWithRootViewController(root);
    stack->view();
    PSSpecifierArray rows = root->loadSpecifiersFromPlistName("Page", root);

    rt::Ref<UIViewController> opened = root->selectSpecifier(rows[0]);
    ASSERT_TRUE(opened);
    EXPECT_EQ(stack->topViewController().get(), opened.get());
    EXPECT_EQ(opened->title(), "More");
    auto* next = static_cast<PSListController*>(opened.get());
    EXPECT_EQ(next->bundlePath(), kBundle);
    EXPECT_EQ(next->specifier().get(), rows[0].get());

    EXPECT_FALSE(root->selectSpecifier(rows[1]));
    EXPECT_EQ(g_events, (std::vector<std::string>{"tapped press"}));
    EXPECT_FALSE(root->selectSpecifier(rows[2])); // a page this process lacks opens nothing
    EXPECT_EQ(stack->viewControllers().size(), 2u);
}

} // namespace

namespace {

const Class kHeaderView = rt::defineClass("PSTestsHeaderView", UIView::classObject(), nullptr);

TEST_F(PreferencesHost, RowsTakeTheirHeightAndAGroupsHeaderClassStandsAboveItsRows) {
    writeLayout("Page",
                {row({{"cell", "PSGroupCell"}, {"headerCellClass", "PSTestsHeaderView"}, {"height", 120}}),
                 row({{"cell", "PSStaticTextCell"}, {"label", "Tall"}, {"height", 60}}),
                 row({{"cell", "PSStaticTextCell"}, {"label", "Plain"}, {"height", "tall"}}),
                 row({{"cell", "PSGroupCell"}, {"label", "Next"}, {"headerCellClass", "NoSuchView"}}),
                 row({{"cell", "PSStaticTextCell"}, {"label", "Below"}, {"height", -5}})});
    auto controller = page();
    controller->_specifiers = controller->loadSpecifiersFromPlistName("Page", controller);
    auto window = rt::make<UIWindow>();
    window->setFrame(CGRectMake(0, 0, 390, 844));
    window->setRootViewController(controller);
    controller->reloadTable();
    window->layoutIfNeeded();

    const PSSpecifierArray rows = controller->specifiers();
    rt::Ref<UIView> header = controller->cachedHeaderViewForSpecifier(rows[0]);
    ASSERT_TRUE(header);
    EXPECT_EQ(object_getClass(header), kHeaderView);
    EXPECT_EQ(controller->cachedHeaderViewForSpecifier(rows[0]).get(), header.get()); // made once
    EXPECT_EQ(header->frame(), CGRectMake(0, 0, 390, 120));
    EXPECT_EQ(controller->cachedCellForSpecifier(rows[1])->frame(), CGRectMake(20, 120, 350, 60));
    EXPECT_EQ(controller->cachedCellForSpecifier(rows[2])->frame(), CGRectMake(20, 180, 350, 44));
    // A header class this process lacks: the group keeps its title.
    EXPECT_FALSE(controller->cachedHeaderViewForSpecifier(rows[3]));
    EXPECT_EQ(controller->table()->sections()[1].header, "Next");
    EXPECT_EQ(controller->cachedCellForSpecifier(rows[4])->frame().size.height, 44);
}

} // namespace
