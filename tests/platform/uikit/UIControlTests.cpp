// Fingers on controls: touches found by hit-testing, the events a control
// sends for them, buttons that show menus, the colour picker and animation.
#include <UIKit/UIAction.h>
#include <UIKit/UIButton.h>
#include <UIKit/UIColorPickerViewController.h>
#include <UIKit/UIMenu.h>
#include <UIKit/UITouch.h>
#include <UIKit/UIWindow.h>
#include <objc/message.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> g_events;

// Records the actions it is sent and the touches that reach it up the chain.
const Class kRecorder =
    rt::defineClass("UIControlTestsRecorder", UIView::classObject(), [](Class cls, Class) {
        class_addMethod(
            cls, rt::sel<"down">(), +[](id, SEL) { g_events.push_back("down"); });
        class_addMethod(
            cls, rt::sel<"up">(), +[](id, SEL) { g_events.push_back("up"); });
        class_addMethod(
            cls, rt::sel<"touchesBegan:withEvent:">(),
            +[](id, SEL, const UITouchSet&, id) { g_events.push_back("began reached the superview"); });
    });

rt::Ref<UIView> recorder(CGRect frame) {
    rt::Ref<UIView> view = rt::createInstance<UIView>(kRecorder);
    view->initWithFrame(frame);
    return view;
}

class Touches : public ::testing::Test {
  protected:
    void SetUp() override { g_events.clear(); }
};

TEST_F(Touches, ATapGoesToTheTopmostViewThatTakesTouchesAndLabelsLetItThrough) {
    rt::Ref<UIView> root = recorder(CGRectMake(0, 0, 300, 100));
    auto control = rt::make<UIControl>();
    control->initWithFrame(CGRectMake(100, 20, 100, 60));
    control->addTarget(root, rt::sel<"down">(), UIControlEventTouchDown);
    control->addTarget(root, rt::sel<"up">(), UIControlEventTouchUpInside);
    root->addSubview(control);
    auto label = rt::make<UILabel>(); // above the control, yet it takes no touches
    label->initWithFrame(CGRectMake(0, 0, 100, 60));
    control->addSubview(label);

    EXPECT_EQ(uikit::hitTest(root, CGPoint{150, 50}).get(), control.get());
    EXPECT_EQ(uikit::hitTest(root, CGPoint{50, 50}).get(), root.get());
    EXPECT_FALSE(uikit::hitTest(root, CGPoint{350, 50}));

    EXPECT_EQ(uikit::tap(root, control).get(), control.get());
    EXPECT_EQ(g_events, (std::vector<std::string>{"down", "up"})); // a control keeps its touches
    EXPECT_FALSE(control->isHighlighted());

    control->setHidden(YES); // hidden: the finger lands on what is below
    g_events.clear();
    EXPECT_EQ(uikit::tap(root, control).get(), root.get());
    EXPECT_EQ(g_events, (std::vector<std::string>{"began reached the superview"}));
}

TEST_F(Touches, AControlHighlightsWhileTouchedAndSendsTouchUpInsideOnlyForAnInsideLift) {
    rt::Ref<UIView> root = recorder(CGRectMake(0, 0, 300, 100));
    auto control = rt::make<UIControl>();
    control->initWithFrame(CGRectMake(0, 0, 100, 50));
    root->addSubview(control);
    control->addTarget(root, rt::sel<"up">(), UIControlEventTouchUpInside);
    rt::Ref<UITouch> touch = UITouch::touchInView(control, CGPoint{10, 10});

    control->touchesBegan({touch}, nullptr);
    EXPECT_TRUE(control->isHighlighted());
    touch->moveTo(control, CGPoint{150, 10}); // dragged off before lifting
    control->touchesEnded({touch}, nullptr);
    EXPECT_FALSE(control->isHighlighted());
    EXPECT_TRUE(g_events.empty());

    control->touchesBegan({touch}, nullptr);
    control->touchesCancelled({touch}, nullptr);
    EXPECT_FALSE(control->isHighlighted());
    EXPECT_TRUE(g_events.empty());

    control->setEnabled(NO);
    touch->moveTo(control, CGPoint{10, 10});
    control->touchesBegan({touch}, nullptr);
    control->touchesEnded({touch}, nullptr);
    EXPECT_FALSE(control->isHighlighted());
    EXPECT_TRUE(g_events.empty());
}

TEST_F(Touches, AButtonShowingItsMenuOnTapRunsTheChosenEntryAfterClosingTheMenu) {
    rt::Ref<UIView> root = recorder(CGRectMake(0, 0, 300, 100));
    auto button = rt::make<UIButton>();
    button->initWithFrame(CGRectMake(10, 10, 120, 35));
    root->addSubview(button);
    std::vector<std::string> chosen;
    auto first = UIAction::actionWithTitle("Light", nullptr, "", [&](UIAction* a) {
        chosen.push_back(a->title());
        EXPECT_FALSE(button->presentedMenu()); // closed before the handler runs
    });
    auto second = UIAction::actionWithTitle("Dark", UIImage::systemImageNamed("checkmark"), "dark", nullptr);
    EXPECT_EQ(second->identifier(), "dark");
    EXPECT_FALSE(first->identifier().empty());
    auto stranger =
        UIAction::actionWithTitle("Elsewhere", nullptr, "", [&](UIAction*) { chosen.push_back("x"); });
    button->setMenu(UIMenu::menuWithTitle("Style ", {first, second}));
    EXPECT_EQ(button->menu()->title(), "Style ");
    ASSERT_EQ(button->menu()->children().size(), 2u);

    uikit::tap(root, button); // a menu that is not the primary action does not open
    EXPECT_FALSE(button->presentedMenu());
    button->setShowsMenuAsPrimaryAction(YES);
    uikit::tap(root, button);
    ASSERT_EQ(button->presentedMenu().get(), button->menu().get());
    EXPECT_FALSE(button->_chooseMenuAction(stranger));
    EXPECT_TRUE(button->presentedMenu());
    EXPECT_TRUE(button->_chooseMenuAction(first));
    EXPECT_EQ(chosen, std::vector<std::string>{"Light"});
    EXPECT_FALSE(button->_chooseMenuAction(second)); // the menu has closed
}

TEST_F(Touches, AnInfoButtonShowsTheInfoSymbolAndKeepsItsSize) {
    rt::Ref<UIButton> info = UIButton::buttonWithType(UIButtonTypeInfoDark);
    EXPECT_EQ(info->buttonType(), UIButtonTypeInfoDark);
    ASSERT_TRUE(info->imageView()->image());
    EXPECT_STREQ(info->imageView()->image()->symbol()->name, "info.circle");
    EXPECT_EQ(info->intrinsicContentSize(), info->imageView()->image()->size());
    EXPECT_GT(info->contentHuggingPriorityForAxis(UILayoutConstraintAxisHorizontal),
              UILayoutPriorityDefaultLow);
    EXPECT_EQ(UIButton::buttonWithType(UIButtonTypeCustom)->intrinsicContentSize(), CGSizeZero);
}

TEST_F(Touches, AnAnimationKeepsItsEndStateAtOnceAndRecordsItsDuration) {
    auto view = rt::make<UIView>();
    UIView::animateWithDuration(0.25, [&] { view->setAlpha(0.5); });
    EXPECT_DOUBLE_EQ(view->alpha(), 0.5);
    EXPECT_DOUBLE_EQ(UIView::_lastAnimationDuration(), 0.25);
}

// ---- the colour picker ----

std::vector<std::string> g_told;

const Class kPickerDelegate =
    rt::defineClass("UIControlTestsPickerDelegate", NSObject::classObject(), [](Class cls, Class) {
        class_addMethod(
            cls, rt::sel<"colorPickerViewControllerDidSelectColor:">(),
            +[](id, SEL, UIColorPickerViewController* p) {
                g_told.push_back("select " + std::to_string(p->selectedColor()->components().alpha));
            });
        class_addMethod(
            cls, rt::sel<"colorPickerViewControllerDidFinish:">(),
            +[](id, SEL, UIColorPickerViewController* p) {
                g_told.push_back(p->presentingViewController() ? "finish while shown" : "finish");
            });
    });

TEST(UIColorPickerViewController, TellsItsDelegateOfEachPickAndOfClosingDroppingAlphaUnlessSupported) {
    g_told.clear();
    auto delegate = rt::createInstance<NSObject>(kPickerDelegate);
    auto presenter = rt::make<UIViewController>();
    auto picker = rt::make<UIColorPickerViewController>();
    EXPECT_TRUE(picker->supportsAlpha()); // the platform's default
    picker->setDelegate(delegate);
    picker->setSupportsAlpha(NO);
    presenter->presentViewController(picker, YES, nullptr);

    picker->_userDidSelectColor(UIColor::colorWithRed(1, 0, 0, 0.5));
    EXPECT_DOUBLE_EQ(picker->selectedColor()->components().alpha, 1.0);
    picker->setSupportsAlpha(YES);
    picker->_userDidSelectColor(UIColor::colorWithRed(1, 0, 0, 0.5));
    EXPECT_DOUBLE_EQ(picker->selectedColor()->components().alpha, 0.5);
    picker->_userDidFinish();
    EXPECT_FALSE(presenter->presentedViewController());
    EXPECT_EQ(g_told, (std::vector<std::string>{"select 1.000000", "select 0.500000", "finish"}));

    // A delegate that has gone away is not told.
    delegate = nullptr;
    picker->_userDidSelectColor(UIColor::colorWithRed(0, 0, 1, 1));
    EXPECT_EQ(g_told.size(), 3u);
}

} // namespace
