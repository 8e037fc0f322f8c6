// The pane's own cells, made from its bundle by the Settings host's page and
// driven as a finger would: rows on a page in a window, taps delivered to
// what lies under the finger.
#include "../platform/foundation/TemporaryDirectory.h"
#include "PresentedAnimated.h"

#include <Foundation/DevicePath.h>
#include <Foundation/PlistFile.h>
#include <Preferences/PSListController.h>
#include <Preferences/PSSwitchTableCell.h>
#include <UIKit/UIAction.h>
#include <UIKit/UIAlertController.h>
#include <UIKit/UIButton.h>
#include <UIKit/UIColorPickerViewController.h>
#include <UIKit/UIImageView.h>
#include <UIKit/UINavigationController.h>
#include <UIKit/UITouch.h>
#include <UIKit/UIWindow.h>
#include <objc/message.h>

#include <dlfcn.h>

#include <substrate.h>

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

namespace {

namespace fs = std::filesystem;
using ns::PlistArray;
using ns::PlistDictionary;
using ns::PlistValue;

constexpr const char* kBundle = "/Library/PreferenceBundles/VantorelPrefs.bundle";
constexpr const char* kDomain = "com.tavq.vantorelprefs";
constexpr const char* kFile = "/var/mobile/Library/Preferences/com.tavq.vantorelprefs.plist";

template <class T> rt::Ref<T> property(id object, const char* getter) {
    return rt::send<rt::Ref<T>()>(object, sel_registerName(getter));
}

// Equal to the eight-bit step the preference file keeps.
bool sameColour(const UIColor* a, const UIColor* b) {
    if (!a || !b)
        return false;
    const UIColor::Components x = a->components(), y = b->components();
    for (auto [p, q] : {std::pair{x.red, y.red}, {x.green, y.green}, {x.blue, y.blue}, {x.alpha, y.alpha}})
        if (std::abs(p - q) > 0.5 / 255)
            return false;
    return true;
}

// The menu cell's control, found as a subview: its class is the pane's own.
rt::Ref<UIControl> menuControl(UIView* cell) {
    for (const rt::Ref<UIView>& view : cell->subviews())
        if (std::string(class_getName(object_getClass(view))) == "PQContextMenuControl")
            return rt::dynamicCast<UIControl>(view);
    ADD_FAILURE() << "no PQContextMenuControl";
    return nullptr;
}

// Frames sit on a grid of thirds of a point.
::testing::AssertionResult near(CGRect a, CGRect b) {
    const double x[] = {a.origin.x, a.origin.y, a.size.width, a.size.height};
    const double y[] = {b.origin.x, b.origin.y, b.size.width, b.size.height};
    for (int i = 0; i < 4; ++i)
        if (std::abs(x[i] - y[i]) > 1.0 / 3 + 1e-9)
            return ::testing::AssertionFailure()
                   << "(" << x[0] << ", " << x[1] << ", " << x[2] << ", " << x[3] << ") is not (" << y[0]
                   << ", " << y[1] << ", " << y[2] << ", " << y[3] << ")";
    return ::testing::AssertionSuccess();
}

rt::Ref<UIColor> accent() {
    return UIColor::systemOrangeColor();
}

class Cells : public ::testing::Test {
  protected:
    void SetUp() override {
        static void* handle = dlopen(VANTORELPREFS_BINARY, RTLD_NOW | RTLD_LOCAL);
        ASSERT_NE(handle, nullptr) << dlerror();
        setenv(ns::DevicePath::kRootVariable, m_device.path().c_str(), 1);
        for (const char* folder :
             {"var/mobile/Library/Preferences", "var/log", "Library/PreferenceBundles/VantorelPrefs.bundle"})
            fs::create_directories(fs::path(m_device.path()) / folder);
    }
    void TearDown() override { unsetenv(ns::DevicePath::kRootVariable); }

    // A page showing `items`, in a key window on a 390 by 844 point screen, laid out.
    PSListController* show(PlistArray items) {
        EXPECT_TRUE(ns::PlistFile::writeDictionary(std::string(kBundle) + "/Misc.plist",
                                                   {{"items", PlistValue(std::move(items))}})
                        .ok());
        m_page = rt::createInstance<PSListController>(objc_getClass("VRSMiscController"));
        m_page->setBundlePath(kBundle);
        m_stack = rt::make<UINavigationController>();
        m_stack->initWithRootViewController(m_page);
        m_window = rt::make<UIWindow>();
        m_window->setFrame(CGRectMake(0, 0, 390, 844));
        m_window->setRootViewController(m_stack);
        m_window->makeKeyAndVisible();
        m_page->reloadTable();
        m_window->layoutIfNeeded();
        return m_page;
    }
    rt::Ref<PSSpecifier> row(std::size_t index) { return m_page->specifiers().at(index); }
    rt::Ref<PSTableCell> cell(std::size_t index) { return m_page->cachedCellForSpecifier(row(index)); }

    static PlistDictionary stored() {
        auto file = ns::PlistFile::readDictionary(kFile);
        return file.ok() ? file.value() : PlistDictionary{};
    }
    static void store(PlistDictionary values) {
        ASSERT_TRUE(ns::PlistFile::writeDictionary(kFile, values).ok());
    }

    TemporaryDirectory m_device;
    rt::Ref<PSListController> m_page;
    rt::Ref<UINavigationController> m_stack;
    rt::Ref<UIWindow> m_window;
};

PlistDictionary colourRow(const std::string& key, bool supportAlpha = false) {
    return {{"cell", "PSButtonCell"},      {"cellClass", "PQColorPickerCell"},
            {"title", "Accent"},           {"key", key},
            {"defaults", kDomain},         {"fallback", "00FF00"},
            {"supportAlpha", supportAlpha}};
}

PlistDictionary menuRow(PlistDictionary extra = {}) {
    PlistDictionary row{{"cell", "PSStaticTextCell"},
                        {"cellClass", "PQContextMenuCell"},
                        {"title", "Blur Style"},
                        {"key", "chatBlurStyle"},
                        {"defaults", kDomain},
                        {"height", 80},
                        {"validTitles", PlistArray{"Light", "Dark", "System Material"}}};
    for (auto& [key, value] : extra)
        row[key] = value;
    return row;
}

// ---- colour rows ----

TEST_F(Cells, AColourRowShowsItsStoredColourInARoundSwatchAndPresetsThePickerWithIt) {
    store({{"accent", "FF0000FF"}});
    show({colourRow("accent"), colourRow("link")});
    rt::Ref<PSTableCell> red = cell(0);
    ASSERT_STREQ(class_getName(object_getClass(red)), "PQColorPickerCell");

    rt::Ref<UIView> swatch = property<UIView>(red, "colorPreview");
    ASSERT_TRUE(swatch);
    EXPECT_EQ(red->accessoryView().get(), swatch.get());
    EXPECT_EQ(swatch->frame().size, (CGSize{29, 29}));
    EXPECT_TRUE(sameColour(swatch->backgroundColor(), UIColor::colorWithRed(1, 0, 0, 1)));
    EXPECT_DOUBLE_EQ(swatch->layer()->borderWidth(), 1.2);
    EXPECT_DOUBLE_EQ(swatch->layer()->cornerRadius(), 14.5);
    EXPECT_TRUE(sameColour(swatch->layer()->borderColor(), accent()));
    // Unset, the fallback shows.
    EXPECT_TRUE(sameColour(property<UIView>(cell(1), "colorPreview")->backgroundColor(),
                           UIColor::colorWithRed(0, 1, 0, 1)));

    // The title in the accent colour, 17 points in; the row's tap reaches the cell.
    rt::Ref<UILabel> title = property<UILabel>(red, "headerLabel");
    EXPECT_EQ(title->text(), "Accent");
    EXPECT_TRUE(sameColour(title->textColor(), accent()));
    EXPECT_EQ(title->superview().get(), red.get());
    EXPECT_DOUBLE_EQ(title->frame().origin.x, 17);
    EXPECT_DOUBLE_EQ(title->frame().origin.y + title->frame().size.height / 2, red->bounds().size.height / 2);
    EXPECT_DOUBLE_EQ(title->frame().origin.x + title->frame().size.width,
                     red->contentView()->frame().origin.x + red->contentView()->frame().size.width - 10);
    EXPECT_EQ(row(0)->target().get(), red.get());
    EXPECT_STREQ(sel_getName(row(0)->buttonAction()), "openColorPicker");
    // Whatever the host asks the cell itself, under either name.
    EXPECT_EQ(red->cellTarget().get(), red.get());
    EXPECT_STREQ(sel_getName(red->cellAction()), "openColorPicker");
    EXPECT_EQ(rt::send<rt::Ref<objc_object>()>(red.get(), rt::sel<"target">()).get(), red.get());
    EXPECT_STREQ(sel_getName(rt::send<SEL()>(red.get(), rt::sel<"action">())), "openColorPicker");

    m_page->selectSpecifier(row(0));
    auto picker = rt::dynamicCast<UIColorPickerViewController>(m_page->presentedViewController());
    ASSERT_TRUE(picker);
    EXPECT_TRUE(sameColour(picker->selectedColor(), UIColor::colorWithRed(1, 0, 0, 1)));
    EXPECT_EQ(picker->delegate().get(), red.get());
    EXPECT_FALSE(picker->supportsAlpha());
    EXPECT_TRUE(sameColour(picker->view()->ownTintColor(), accent()));
}

// The picker and the info alert slide in, as the device's sheets do.
TEST_F(Cells, ThePickerAndTheInfoAlertOpenAnimated) {
    EXPECT_EXIT(
        {
            presented::watch();
            show({colourRow("accent"), PlistDictionary{{"cell", "PSSwitchCell"},
                                                       {"cellClass", "PQInfoSwitchCell"},
                                                       {"key", "enableVantorel"},
                                                       {"defaults", kDomain}}});
            m_page->selectSpecifier(row(0));
            const bool picked =
                rt::dynamicCast<UIColorPickerViewController>(m_page->presentedViewController());
            m_page->dismissViewControllerAnimated(NO, nullptr);
            rt::Ref<UIButton> infoButton;
            for (const rt::Ref<UIView>& view : cell(1)->contentView()->subviews())
                if (auto found = rt::dynamicCast<UIButton>(view))
                    infoButton = found;
            uikit::tap(cell(1), infoButton);
            const bool alerted = rt::dynamicCast<UIAlertController>(m_page->presentedViewController());
            std::exit(picked && alerted && presented::animated == std::vector<bool>{true, true} ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "");
}

// The host's own didMoveToSuperview (here one that clears what a reused cell
// showed) runs before each cell's: the cell's accessory and target survive it.
void (*g_hostMove)(id, SEL) = nullptr;
void hostClearsOnMove(id self, SEL cmd) {
    g_hostMove(self, cmd);
    auto cell = static_cast<PSTableCell*>(self);
    cell->setAccessoryView(nullptr);
    if (rt::Ref<PSSpecifier> row = cell->specifier())
        row->setTarget(nullptr);
    cell->textLabel()->setHidden(NO);
}

TEST_F(Cells, EachCellDoesItsWorkAfterTheHostsOwnMoveToASuperview) {
    EXPECT_EXIT(
        {
            MSHookMessageEx(PSTableCell::classObject(), rt::sel<"didMoveToSuperview">(), &hostClearsOnMove,
                            &g_hostMove);
            show({colourRow("accent"), menuRow(),
                  PlistDictionary{{"cell", "PSButtonCell"},
                                  {"cellClass", "PQImagePickerCell"},
                                  {"title", "Wallpaper"},
                                  {"key", "chatWallpaper"},
                                  {"defaults", kDomain}}});
            int failed = 0;
            failed +=
                cell(0)->accessoryView().get() == property<UIView>(cell(0), "colorPreview").get() ? 0 : 1;
            failed += row(0)->target().get() == cell(0).get() ? 0 : 1;
            failed += row(1)->target().get() == cell(1).get() ? 0 : 1;
            failed += cell(1)->textLabel()->isHidden() ? 0 : 1;
            failed += cell(2)->accessoryView() ? 0 : 1;
            failed += row(2)->target().get() == cell(2).get() ? 0 : 1;
            std::exit(failed);
        },
        ::testing::ExitedWithCode(0), "");
}

TEST_F(Cells, EveryPickIsWrittenAtOnceKeepingOtherKeysAndTheLastHoldsWhenThePickerCloses) {
    store({{"link", "112233FF"}, {"enableChatBlur", true}});
    show({colourRow("accent")});
    m_page->selectSpecifier(row(0));
    auto picker = rt::dynamicCast<UIColorPickerViewController>(m_page->presentedViewController());
    ASSERT_TRUE(picker);

    const std::vector<std::pair<UIColor::Components, std::string>> picks{
        {{1, 0, 0, 1}, "FF0000FF"}, {{0, 0, 1, 1}, "0000FFFF"}, {{0.2, 0.4, 0.6, 1}, "336699FF"}};
    for (const auto& [colour, hex] : picks) {
        picker->_userDidSelectColor(
            UIColor::colorWithRed(colour.red, colour.green, colour.blue, colour.alpha));
        EXPECT_EQ(stored().at("accent"), PlistValue(hex)); // one write per pick
        EXPECT_TRUE(sameColour(property<UIView>(cell(0), "colorPreview")->backgroundColor(),
                               picker->selectedColor()));
    }
    picker->_userDidFinish();
    EXPECT_FALSE(m_page->presentedViewController());
    EXPECT_EQ(stored(),
              (PlistDictionary{{"link", "112233FF"}, {"enableChatBlur", true}, {"accent", "336699FF"}}));
    EXPECT_FALSE(fs::exists(fs::path(m_device.path()) / "var/log/notifications")); // colour rows post nothing
}

TEST_F(Cells, OnlyARowThatSupportsAlphaStoresATranslucentPick) {
    show({colourRow("accent", false), colourRow("primaryBackground", true)});
    for (std::size_t index : {0u, 1u}) {
        m_page->selectSpecifier(row(index));
        auto picker = rt::dynamicCast<UIColorPickerViewController>(m_page->presentedViewController());
        ASSERT_TRUE(picker);
        EXPECT_EQ(picker->supportsAlpha(), index == 1 ? YES : NO);
        picker->_userDidSelectColor(UIColor::colorWithRed(1, 0, 0, 0.5));
        picker->_userDidFinish();
    }
    EXPECT_EQ(stored().at("accent"), PlistValue("FF0000FF"));
    EXPECT_EQ(stored().at("primaryBackground"), PlistValue("FF000080"));
}

TEST_F(Cells, AStoredValueThatIsNoColourStringShowsTheFallbackAsMessagesWould) {
    // The engine reads a number, a switch or a date under a colour key as missing.
    store({{"accent", 16711935}, {"link", true}, {"primaryBackground", PlistValue::Date{0}}});
    show({colourRow("accent"), colourRow("link"), colourRow("primaryBackground")});
    for (std::size_t index : {0u, 1u, 2u}) {
        EXPECT_TRUE(sameColour(property<UIView>(cell(index), "colorPreview")->backgroundColor(),
                               UIColor::colorWithRed(0, 1, 0, 1)))
            << "row " << index;
        m_page->selectSpecifier(row(index));
        auto picker = rt::dynamicCast<UIColorPickerViewController>(m_page->presentedViewController());
        ASSERT_TRUE(picker);
        EXPECT_TRUE(sameColour(picker->selectedColor(), UIColor::colorWithRed(0, 1, 0, 1)));
        picker->_userDidFinish();
    }
    // Closing the picker stores the colour it showed, so the pane and Messages agree again.
    EXPECT_EQ(
        stored(),
        (PlistDictionary{{"accent", "00FF00FF"}, {"link", "00FF00FF"}, {"primaryBackground", "00FF00FF"}}));
}

TEST_F(Cells, AColourRowWithoutValueOrFallbackShowsTheCodecsColourForNothing) {
    PlistDictionary bare = colourRow("accent");
    bare.erase("fallback");
    show({bare});
    rt::Ref<UIView> swatch = property<UIView>(cell(0), "colorPreview");
    ASSERT_TRUE(swatch && swatch->backgroundColor());
    const rt::Ref<UIColor> nothing = rt::send<rt::Ref<UIColor>(const std::string&)>(
        cell(0), rt::sel<"colorWithHexString:">(), std::string());
    EXPECT_TRUE(sameColour(swatch->backgroundColor(), nothing));
}

// ---- menu rows ----

std::vector<rt::Ref<UIAction>> actionsOf(UIButton* button) {
    std::vector<rt::Ref<UIAction>> actions;
    for (const rt::Ref<UIMenuElement>& child : button->menu()->children())
        actions.push_back(rt::verifyCast<UIAction>(child.get()));
    return actions;
}

std::vector<std::size_t> checked(UIButton* button) {
    std::vector<std::size_t> marks;
    const auto actions = actionsOf(button);
    for (std::size_t i = 0; i < actions.size(); ++i)
        if (actions[i]->image()) {
            EXPECT_STREQ(actions[i]->image()->symbol()->name, "checkmark");
            marks.push_back(i);
        }
    return marks;
}

TEST_F(Cells, AMenuRowShowsTheStoredChoiceElseItsDefaultAndChecksItInTheMenu) {
    show({menuRow({{"default", 1}, {"message", "Look of the blur"}}),
          menuRow({{"key", "conversationBlurStyle"}})});
    rt::Ref<PSTableCell> withDefault = cell(0);
    ASSERT_STREQ(class_getName(object_getClass(withDefault)), "PQContextMenuCell");
    auto control = menuControl(withDefault);
    auto button = property<UIButton>(control, "btn");
    EXPECT_EQ(property<UILabel>(control, "title")->text(), "Dark");
    EXPECT_EQ(rt::send<NSInteger()>(withDefault, rt::sel<"selectedIndex">()), 1);
    EXPECT_EQ(button->menu()->title(), "Blur Style Look of the blur");
    ASSERT_EQ(actionsOf(button).size(), 3u);
    EXPECT_EQ(actionsOf(button)[2]->title(), "System Material");
    EXPECT_EQ(checked(button), std::vector<std::size_t>{1});
    EXPECT_TRUE(button->showsMenuAsPrimaryAction());

    // No default: the first title; no message: the title and one blank.
    auto plain = property<UIButton>(menuControl(cell(1)), "btn");
    EXPECT_EQ(property<UILabel>(menuControl(cell(1)), "title")->text(), "Light");
    EXPECT_EQ(plain->menu()->title(), "Blur Style ");
    EXPECT_EQ(checked(plain), std::vector<std::size_t>{0});

    // "height" is the cell's, whatever the layout said; the host's own labels are hidden.
    EXPECT_EQ(row(0)->propertyForKey("height"), PlistValue(44));
    EXPECT_EQ(withDefault->frame().size.height, 44);
    EXPECT_TRUE(withDefault->textLabel()->isHidden());
    EXPECT_TRUE(withDefault->detailTextLabel()->isHidden());
    // Title and values in their colours; the control 120 by 35, 12 points in from the trailing edge.
    EXPECT_TRUE(sameColour(property<UILabel>(control, "title")->textColor(), accent()));
    EXPECT_TRUE(sameColour(property<UIImageView>(control, "icon")->tintColor(), accent()));
    EXPECT_STREQ(property<UIImageView>(control, "icon")->image()->symbol()->name, "chevron.up.chevron.down");
    EXPECT_TRUE(
        sameColour(property<UILabel>(withDefault, "headerLabel")->textColor(), UIColor::labelColor()));
    EXPECT_TRUE(near(control->frame(), CGRectMake(350 - 12 - 120, 4.5, 120, 35)));
    EXPECT_TRUE(near(button->frame(), CGRectMake(0, 0, 120, 35)));
    // Inside the control the 20-point chevron sits at its trailing edge and the
    // choice ends 5 points before it; the row's title ends 10 points before the control.
    EXPECT_TRUE(near(property<UIImageView>(control, "icon")->frame(), CGRectMake(100, 7.5, 20, 20)));
    const CGRect choice = property<UILabel>(control, "title")->frame();
    EXPECT_DOUBLE_EQ(choice.origin.x, 0);
    EXPECT_DOUBLE_EQ(choice.origin.x + choice.size.width, 100 - 5);
    EXPECT_DOUBLE_EQ(property<UILabel>(control, "title")->font()->pointSize(), 16);
    const CGRect rowTitle = property<UILabel>(withDefault, "headerLabel")->frame();
    EXPECT_DOUBLE_EQ(rowTitle.origin.x, 17);
    EXPECT_DOUBLE_EQ(rowTitle.origin.x + rowTitle.size.width, 350 - 12 - 120 - 10);
}

TEST_F(Cells, ChoosingAnEntryStoresItsIndexShowsItAndMovesTheCheckmark) {
    store({{"accent", "FF0000FF"}});
    show({menuRow({{"default", 1}})});
    rt::Ref<PSTableCell> menuCell = cell(0);
    auto control = menuControl(menuCell);
    auto button = property<UIButton>(control, "btn");

    // A finger on the row's value opens the menu; the third entry is tapped.
    EXPECT_EQ(uikit::tap(menuCell, control).get(), button.get());
    ASSERT_EQ(button->presentedMenu().get(), button->menu().get());
    ASSERT_TRUE(button->_chooseMenuAction(actionsOf(button)[2]));
    EXPECT_FALSE(button->presentedMenu());

    EXPECT_EQ(stored(), (PlistDictionary{{"accent", "FF0000FF"}, {"chatBlurStyle", 2}}));
    EXPECT_TRUE(stored().at("chatBlurStyle").isInteger());
    EXPECT_EQ(property<UILabel>(control, "title")->text(), "System Material");
    EXPECT_EQ(rt::send<NSInteger()>(menuCell, rt::sel<"selectedIndex">()), 2);
    EXPECT_EQ(checked(button), std::vector<std::size_t>{2});
    EXPECT_FALSE(fs::exists(fs::path(m_device.path()) / "var/log/notifications"));
}

TEST_F(Cells, AStoredIndexOutsideTheListShowsNothingAndIsLeftAsItIs) {
    store({{"chatBlurStyle", 7}});
    show({menuRow(), menuRow({{"key", "conversationBlurStyle"}, {"validTitles", PlistArray{}}})});
    auto button = property<UIButton>(menuControl(cell(0)), "btn");
    EXPECT_EQ(property<UILabel>(menuControl(cell(0)), "title")->text(), "");
    EXPECT_TRUE(checked(button).empty());
    EXPECT_EQ(property<UILabel>(menuControl(cell(1)), "title")->text(), "");
    EXPECT_TRUE(property<UIButton>(menuControl(cell(1)), "btn")->menu()->children().empty());
    EXPECT_EQ(stored(), (PlistDictionary{{"chatBlurStyle", 7}}));
}

TEST_F(Cells, APressDimsAndShrinksTheControlInATenthOfASecondAndItsEndRestoresIt) {
    show({menuRow()});
    auto control = menuControl(cell(0));
    const UITouchSet touches{UITouch::touchInView(control, CGPoint{10, 10})};
    for (const char* ending : {"ended", "cancelled"}) {
        control->touchesBegan(touches, nullptr);
        EXPECT_DOUBLE_EQ(control->alpha(), 0.8);
        EXPECT_EQ(control->transform(), CGAffineTransformMakeScale(0.98, 0.98));
        EXPECT_DOUBLE_EQ(UIView::_lastAnimationDuration(), 0.1);
        if (std::string(ending) == "ended")
            control->touchesEnded(touches, nullptr);
        else
            control->touchesCancelled(touches, nullptr);
        EXPECT_DOUBLE_EQ(control->alpha(), 1.0) << ending;
        EXPECT_EQ(control->transform(), CGAffineTransformIdentity) << ending;
        EXPECT_DOUBLE_EQ(UIView::_lastAnimationDuration(), 0.1);
        EXPECT_FALSE(control->isHighlighted());
    }
}

// ---- link and button rows ----

TEST_F(Cells, LinkAndButtonRowsPlaceTheirSymbolsAndTitlesInTheirOwnColours) {
    show(
        {PlistDictionary{{"cell", "PSLinkCell"},
                         {"cellClass", "PQLinkCell"},
                         {"title", "Misc"},
                         {"sfIcon", "no.such.symbol"}},
         PlistDictionary{
             {"cell", "PSLinkCell"}, {"cellClass", "PQLinkCell"}, {"title", "Gear"}, {"sfIcon", "gearshape"}},
         PlistDictionary{{"cell", "PSButtonCell"},
                         {"cellClass", "PQButtonCell"},
                         {"title", "Source"},
                         {"subtitle", "Where it comes from"},
                         {"accessoriesSFIcon", "chevron.right"},
                         {"height", 30}},
         PlistDictionary{{"cell", "PSButtonCell"}, {"cellClass", "PQButtonCell"}, {"title", "Alone"}}});

    // An unknown symbol leaves an empty 29-point space before the title.
    for (std::size_t index : {0u, 1u}) {
        rt::Ref<UIImageView> icon = property<UIImageView>(cell(index), "iconImage");
        rt::Ref<UILabel> title = property<UILabel>(cell(index), "headerLabel");
        EXPECT_TRUE(near(icon->frame(), CGRectMake(12, 7.5, 29, 29)));
        EXPECT_DOUBLE_EQ(title->frame().origin.x, 12 + 29 + 10);
        EXPECT_DOUBLE_EQ(title->frame().origin.y + title->frame().size.height / 2, 22);
        EXPECT_DOUBLE_EQ(title->font()->pointSize(), 17);
        EXPECT_TRUE(sameColour(icon->tintColor(), accent()));
        EXPECT_TRUE(sameColour(title->textColor(), UIColor::labelColor()));
        EXPECT_EQ(icon->contentMode(), UIViewContentModeScaleAspectFit);
    }
    EXPECT_FALSE(property<UIImageView>(cell(0), "iconImage")->image());
    EXPECT_TRUE(property<UIImageView>(cell(1), "iconImage")->image());

    // A button row is 60 points tall whatever the layout said; its lines sit
    // 10 points either side of the centre, before the 16-point symbol.
    for (std::size_t index : {2u, 3u}) {
        rt::Ref<PSTableCell> button = cell(index);
        EXPECT_EQ(row(index)->propertyForKey("height"), PlistValue(60));
        EXPECT_EQ(button->frame().size.height, 60);
        rt::Ref<UIImageView> symbol = property<UIImageView>(button, "linkImage");
        rt::Ref<UILabel> title = property<UILabel>(button, "headerLabel");
        rt::Ref<UILabel> subtitle = property<UILabel>(button, "subtitleLabel");
        EXPECT_TRUE(near(symbol->frame(), CGRectMake(350 - 10 - 16, 22, 16, 16)));
        EXPECT_DOUBLE_EQ(title->frame().origin.y + title->frame().size.height / 2, 20);
        EXPECT_DOUBLE_EQ(subtitle->frame().origin.y + subtitle->frame().size.height / 2, 40);
        EXPECT_DOUBLE_EQ(title->frame().origin.x, 10);
        EXPECT_DOUBLE_EQ(title->frame().origin.x + title->frame().size.width, symbol->frame().origin.x - 10);
        EXPECT_TRUE(sameColour(title->textColor(), accent()));
        EXPECT_TRUE(sameColour(subtitle->textColor(), UIColor::secondaryLabelColor()));
        EXPECT_TRUE(sameColour(symbol->tintColor(), UIColor::tertiaryLabelColor()));
        EXPECT_DOUBLE_EQ(title->font()->pointSize(), 17);
        EXPECT_DOUBLE_EQ(subtitle->font()->pointSize(), 12);
    }
    EXPECT_TRUE(property<UIImageView>(cell(2), "linkImage")->image()); // the row's own symbol
    EXPECT_FALSE(property<UIImageView>(cell(3), "linkImage")->image());
    EXPECT_EQ(property<UILabel>(cell(2), "headerLabel")->text(), "Source");
    EXPECT_EQ(property<UILabel>(cell(3), "headerLabel")->text(), "Alone");
    EXPECT_EQ(property<UILabel>(cell(2), "subtitleLabel")->text(), "Where it comes from");
    EXPECT_EQ(property<UILabel>(cell(3), "subtitleLabel")->text(), "");
}

// ---- switch rows ----

TEST_F(Cells, SwitchRowsAreTintedAndTheInfoButtonExplainsTheRowInAnAlert) {
    const std::string longTitle = "A title far too long to fit beside the info button and the switch";
    show({PlistDictionary{{"cell", "PSSwitchCell"},
                          {"cellClass", "PQSwitchCell"},
                          {"key", "enableChatBlur"},
                          {"defaults", kDomain}},
          PlistDictionary{{"cell", "PSSwitchCell"},
                          {"cellClass", "PQInfoSwitchCell"},
                          {"key", "enableVantorel"},
                          {"defaults", kDomain},
                          {"title", longTitle}},
          PlistDictionary{{"cell", "PSSwitchCell"},
                          {"cellClass", "PQInfoSwitchCell"},
                          {"key", "enableChatWallpaper"},
                          {"defaults", kDomain},
                          {"title", "Wallpaper"},
                          {"message", "Shows a picture."}}});
    for (std::size_t index : {0u, 1u, 2u}) {
        auto switchCell = rt::dynamicCast<PSSwitchTableCell>(cell(index));
        ASSERT_TRUE(switchCell);
        EXPECT_TRUE(sameColour(switchCell->control()->onTintColor(), accent()));
    }

    rt::Ref<PSTableCell> info = cell(1);
    rt::Ref<UIView> content = info->contentView();
    rt::Ref<UIButton> button;
    for (const rt::Ref<UIView>& view : content->subviews())
        if (auto found = rt::dynamicCast<UIButton>(view))
            button = found;
    ASSERT_TRUE(button);
    EXPECT_EQ(button->buttonType(), UIButtonTypeInfoDark);
    const CGRect at = button->frame();
    EXPECT_DOUBLE_EQ(at.origin.x + at.size.width, content->frame().size.width - 4);
    EXPECT_NEAR(at.origin.y + at.size.height / 2, content->frame().size.height / 2, 1.0 / 3);
    rt::Ref<UILabel> title = property<UILabel>(info, "headerLabel");
    EXPECT_EQ(title->superview().get(), info.get());
    EXPECT_DOUBLE_EQ(title->frame().origin.x, 10);
    EXPECT_DOUBLE_EQ(title->frame().origin.x + title->frame().size.width, at.origin.x - 10); // cut before it

    // Without "message": the fixed text, one OK that cancels.
    for (std::size_t index : {1u, 2u}) {
        rt::Ref<PSTableCell> tapped = cell(index);
        rt::Ref<UIButton> infoButton;
        for (const rt::Ref<UIView>& view : tapped->contentView()->subviews())
            if (auto found = rt::dynamicCast<UIButton>(view))
                infoButton = found;
        EXPECT_EQ(uikit::tap(tapped, infoButton).get(), infoButton.get());
        auto alert = rt::dynamicCast<UIAlertController>(m_page->presentedViewController());
        ASSERT_TRUE(alert) << index;
        EXPECT_EQ(alert->title(), index == 1 ? longTitle : "Wallpaper");
        EXPECT_EQ(alert->message(),
                  index == 1 ? "No information provided for this cell" : "Shows a picture.");
        ASSERT_EQ(alert->actions().size(), 1u);
        EXPECT_EQ(alert->actions()[0]->title(), "OK");
        EXPECT_EQ(alert->actions()[0]->style(), UIAlertActionStyleCancel);
        EXPECT_TRUE(alert->_dismissWithAction(alert->actions()[0]));
        EXPECT_FALSE(m_page->presentedViewController());
    }
    EXPECT_TRUE(stored().empty()); // the info button changes nothing
}

// ---- the header ----

TEST_F(Cells, TheBannerComesFromThePanesOwnBundleInsetTenAtTheTopAndFifteenAtTheSides) {
    Class header = objc_getClass("PQHeaderView");
    ASSERT_TRUE(header);
    auto make = [&] {
        rt::Ref<UIView> view = rt::createInstance<UIView>(header);
        view->initWithFrame(CGRectMake(0, 0, 390, 160));
        view->layoutIfNeeded();
        return view;
    };
    // Without the file: an empty image view, still placed.
    rt::Ref<UIView> empty = make();
    ASSERT_EQ(empty->subviews().size(), 1u);
    auto banner = rt::verifyCast<UIImageView>(empty->subviews()[0].get());
    EXPECT_FALSE(banner->image());
    EXPECT_TRUE(near(banner->frame(), CGRectMake(15, 10, 360, 150)));

    fs::copy_file(BANNER_PNG,
                  fs::path(m_device.path()) / "Library/PreferenceBundles/VantorelPrefs.bundle/banner.png");
    rt::Ref<UIView> shown = make();
    banner = rt::verifyCast<UIImageView>(shown->subviews()[0].get());
    ASSERT_TRUE(banner->image());
    EXPECT_EQ(banner->image()->size(), (CGSize{1080, 450}));
    EXPECT_TRUE(near(banner->frame(), CGRectMake(15, 10, 360, 150)));
    EXPECT_EQ(banner->contentMode(), UIViewContentModeScaleAspectFit);
    EXPECT_DOUBLE_EQ(banner->layer()->cornerRadius(), 13);
    EXPECT_TRUE(banner->clipsToBounds());
}

TEST_F(Cells, TheRootPageShowsTheHeaderAboveItsFirstGroup) {
    auto root = ns::PlistFile::readDictionaryAtHostPath(std::string(LAYOUT_FOLDER) + "/Root.plist");
    ASSERT_TRUE(root.ok());
    ASSERT_TRUE(ns::PlistFile::writeDictionary(std::string(kBundle) + "/Root.plist", root.value()).ok());
    fs::copy_file(BANNER_PNG,
                  fs::path(m_device.path()) / "Library/PreferenceBundles/VantorelPrefs.bundle/banner.png");
    m_page = rt::createInstance<PSListController>(objc_getClass("VRSRootListController"));
    m_page->setBundlePath(kBundle);
    m_window = rt::make<UIWindow>();
    m_window->setFrame(CGRectMake(0, 0, 390, 844));
    m_window->setRootViewController(m_page);
    m_page->reloadTable();
    m_window->layoutIfNeeded();

    rt::Ref<UIView> table = m_page->view();
    ASSERT_FALSE(table->subviews().empty());
    rt::Ref<UIView> header = table->subviews().front();
    EXPECT_STREQ(class_getName(object_getClass(header)), "PQHeaderView");
    EXPECT_TRUE(near(header->frame(), CGRectMake(0, 0, 390, 160)));
    auto banner = rt::verifyCast<UIImageView>(header->subviews().at(0).get());
    EXPECT_TRUE(banner->image());
    EXPECT_TRUE(near(banner->frame(), CGRectMake(15, 10, 360, 150)));
    EXPECT_DOUBLE_EQ(table->subviews().at(1)->frame().origin.y, 160); // the first row right below
}

} // namespace
