#include <UIKit/UIApplication.h>
#include <UIKit/UILabel.h>
#include <UIKit/UISwitch.h>
#include <UIKit/UITableViewCell.h>
#include <UIKit/UIWindow.h>
#include <objc/message.h>
#include <substrate.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

TEST(UIViewHierarchy, SuperviewsOwnSubviewsAndBackPointersAreWeak) {
    rt::Weak<UIView> childWatch;
    {
        auto parent = rt::make<UIView>();
        {
            auto child = rt::make<UIView>();
            childWatch = child.get();
            parent->addSubview(child);
        }
        ASSERT_TRUE(childWatch.lock()); // the superview keeps it alive
        EXPECT_EQ(childWatch.lock()->superview().get(), parent.get());
    }
    EXPECT_FALSE(childWatch.lock()); // freed with its superview: no cycle through the back-pointer

    auto parent = rt::make<UIView>();
    rt::Weak<UIView> parentWatch(parent.get());
    auto child = rt::make<UIView>();
    parent->addSubview(child);
    parent = nullptr;
    EXPECT_FALSE(parentWatch.lock()); // a subview does not keep its superview
    EXPECT_FALSE(child->superview());
}

TEST(UIViewHierarchy, MovingAndRemovingKeepsOneParentAndRefusesCycles) {
    auto a = rt::make<UIView>();
    auto b = rt::make<UIView>();
    auto child = rt::make<UIView>();
    a->addSubview(child);
    b->addSubview(child);
    EXPECT_TRUE(a->subviews().empty());
    ASSERT_EQ(b->subviews().size(), 1u);
    EXPECT_EQ(child->superview().get(), b.get());

    child->addSubview(b); // b is child's ancestor
    EXPECT_TRUE(child->subviews().empty());
    b->addSubview(b);
    EXPECT_EQ(b->subviews().size(), 1u);

    // Re-adding brings a view to the front without duplicating it.
    auto other = rt::make<UIView>();
    b->addSubview(other);
    b->addSubview(child);
    ASSERT_EQ(b->subviews().size(), 2u);
    EXPECT_EQ(b->subviews().back().get(), child.get());

    rt::Weak<UIView> watch(child.get());
    UIView* raw = child.get();
    child = nullptr;
    raw->removeFromSuperview(); // the superview held the last reference
    EXPECT_FALSE(watch.lock());
    EXPECT_EQ(b->subviews().size(), 1u);
}

TEST(UIViewHierarchy, WindowAndMoveCallbacksReachTheWholeSubtree) {
    static std::vector<std::string> calls;
    calls.clear();
    // A view class that records the callbacks the view system sends it.
    static const Class recorder =
        rt::defineClass("UIViewTestsRecorder", UIView::classObject(), [](Class c, Class) {
            class_addMethod(
                c, rt::sel<"didMoveToWindow">(), +[](id self, SEL) {
                    calls.push_back(static_cast<UIView*>(self)->window() ? "window" : "no window");
                });
            class_addMethod(
                c, rt::sel<"didMoveToSuperview">(), +[](id, SEL) { calls.push_back("superview"); });
        });
    auto window = rt::make<UIWindow>();
    auto container = rt::make<UIView>();
    rt::Ref<UIView> leaf = rt::createInstance<UIView>(recorder);
    container->addSubview(leaf);
    EXPECT_EQ(calls, (std::vector<std::string>{"superview"}));
    window->addSubview(container);
    EXPECT_EQ(leaf->window(), window.get());
    container->removeFromSuperview();
    EXPECT_EQ(leaf->window(), nullptr);
    EXPECT_EQ(calls, (std::vector<std::string>{"superview", "window", "no window"}));
}

TEST(UIViewTint, InheritsFromTheNearestAncestorWithOne) {
    auto window = rt::make<UIWindow>();
    auto middle = rt::make<UIView>();
    auto leaf = rt::make<UIView>();
    window->addSubview(middle);
    middle->addSubview(leaf);
    EXPECT_TRUE(leaf->tintColor()->isEqual(UIColor::systemBlueColor()));

    window->setTintColor(UIColor::systemOrangeColor());
    EXPECT_EQ(leaf->tintColor().get(), UIColor::systemOrangeColor().get());
    middle->setTintColor(UIColor::systemRedColor());
    EXPECT_EQ(leaf->tintColor().get(), UIColor::systemRedColor().get());
    EXPECT_EQ(window->tintColor().get(), UIColor::systemOrangeColor().get());

    // Clearing an own tint falls back to the inherited one again.
    middle->setTintColor(nullptr);
    window->setTintColor(nullptr);
    EXPECT_EQ(leaf->tintColor().get(), UIColor::systemBlueColor().get());
    leaf->removeFromSuperview();
    middle->setTintColor(UIColor::systemRedColor());
    EXPECT_EQ(leaf->tintColor().get(), UIColor::systemBlueColor().get());
}

TEST(UIViewTint, AReplacedSuperviewTintIsSeenByDescendants) {
    static rt::Ref<UIColor> (*previous)(id, SEL) = nullptr;
    static const Class special = rt::defineClass("UIViewTestsTinted", UIView::classObject(), nullptr);
    MSHookMessageEx(
        special, rt::sel<"tintColor">(),
        +[](id, SEL) -> rt::Ref<UIColor> { return UIColor::systemPinkColor(); }, &previous);
    rt::Ref<UIView> parent = rt::createInstance<UIView>(special);
    auto child = rt::make<UIView>();
    parent->addSubview(child);
    EXPECT_EQ(child->tintColor().get(), UIColor::systemPinkColor().get());
    ASSERT_NE(previous, nullptr);
}

// A target that counts the actions it receives, with and without a sender.
#define COUNTER_METHODS(M, O, C)                                                                             \
    M(void, changed, "changed:", (id))                                                                       \
    M(void, poke, "poke", ())

class Counter : public NSObject {
    RT_OBJECT(Counter, NSObject)
    RT_METHODS(COUNTER_METHODS)
    int withSender = 0;
    int bare = 0;
    id lastSender = nullptr;
};

RT_DEFINE_CLASS(Counter, nullptr)

void Counter::changedImpl(id sender) {
    ++withSender;
    lastSender = sender;
}
void Counter::pokeImpl() {
    ++bare;
}

TEST(UIControlActions, ReachLiveTargetsForMatchingEventsOnly) {
    auto control = rt::make<UISwitch>();
    auto counter = rt::make<Counter>();
    control->addTarget(counter, rt::sel<"changed:">(), UIControlEventValueChanged);
    control->addTarget(counter, rt::sel<"poke">(), UIControlEventTouchUpInside);
    control->addTarget(counter, rt::sel<"changed:">(), UIControlEventValueChanged); // no duplicate

    control->toggleByUser(YES);
    EXPECT_TRUE(control->isOn());
    EXPECT_EQ(counter->withSender, 1);
    EXPECT_EQ(counter->lastSender, control.get());
    EXPECT_EQ(counter->bare, 0);
    control->sendActionsForControlEvents(UIControlEventTouchUpInside);
    EXPECT_EQ(counter->bare, 1);

    control->setOn(NO); // code changes send nothing
    EXPECT_EQ(counter->withSender, 1);

    control->removeTarget(counter, nullptr, UIControlEventValueChanged);
    control->sendActionsForControlEvents(UIControlEventValueChanged);
    EXPECT_EQ(counter->withSender, 1);

    // The control does not keep its target alive and skips it once gone.
    rt::Weak<Counter> watch(counter.get());
    control->addTarget(counter, rt::sel<"changed:">(), UIControlEventValueChanged);
    counter = nullptr;
    EXPECT_FALSE(watch.lock());
    control->sendActionsForControlEvents(UIControlEventValueChanged);
    EXPECT_TRUE(control->actionsForControlEvents(UIControlEventAllEvents).empty());
}

TEST(UITableViewCell, AccessoryReplacesThePreviousOneAndLabelsLiveInTheContentView) {
    auto cell = rt::make<UITableViewCell>();
    EXPECT_EQ(cell->initWithStyle(UITableViewCellStyleValue1, "row"), static_cast<id>(cell.get()));
    EXPECT_EQ(cell->style(), UITableViewCellStyleValue1);
    EXPECT_EQ(cell->textLabel()->superview().get(), cell->contentView().get());
    EXPECT_EQ(cell->detailTextLabel()->superview().get(), cell->contentView().get());
    cell->textLabel()->setText("Title");
    EXPECT_EQ(cell->textLabel()->text(), "Title");
    EXPECT_TRUE(cell->textLabel()->textColor()->isEqual(UIColor::labelColor()));

    auto first = rt::make<UIView>();
    auto second = rt::make<UIView>();
    cell->setAccessoryView(first);
    cell->setAccessoryView(second);
    EXPECT_EQ(cell->accessoryView().get(), second.get());
    EXPECT_FALSE(first->superview());
    EXPECT_EQ(second->superview().get(), cell.get());
    cell->setAccessoryView(nullptr);
    EXPECT_FALSE(second->superview());
}

TEST(UIViewGeometry, BoundsFollowTheFrameSize) {
    auto view = rt::make<UIView>();
    view->initWithFrame(CGRectMake(10, 20, 30, 40));
    EXPECT_EQ(view->frame(), CGRectMake(10, 20, 30, 40));
    EXPECT_EQ(view->bounds(), CGRectMake(0, 0, 30, 40));
    view->setBounds(CGRectMake(5, 5, 8, 9));
    EXPECT_EQ(view->frame(), CGRectMake(10, 20, 8, 9));
}

} // namespace
