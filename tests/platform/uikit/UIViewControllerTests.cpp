#include <UIKit/UIAlertController.h>
#include <UIKit/UIApplication.h>
#include <UIKit/UINavigationController.h>
#include <UIKit/UINavigationItem.h>
#include <UIKit/UIWindow.h>
#include <objc/message.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> g_calls;

// A controller that records its lifecycle callbacks under its title.
#define RECORDED_METHODS(M, O, C)                                                                            \
    M(void, respring, "respring:", (id))                                                                     \
    O(viewDidLoad)                                                                                           \
    O(viewWillAppear)                                                                                        \
    O(viewWillDisappear)

class Recorded : public UIViewController {
    RT_OBJECT(Recorded, UIViewController)
    RT_METHODS(RECORDED_METHODS)

    static rt::Ref<Recorded> named(const std::string& title) {
        rt::Ref<Recorded> controller = rt::make<Recorded>();
        controller->setTitle(title);
        return controller;
    }
};

RT_DEFINE_CLASS(Recorded, nullptr)

void Recorded::viewDidLoadImpl() {
    g_calls.push_back(title() + " load" + (navigationController() ? " on stack" : ""));
}
void Recorded::viewWillAppearImpl(BOOL animated) {
    viewWillAppearSuper(animated);
    g_calls.push_back(title() + " appear");
}
void Recorded::viewWillDisappearImpl(BOOL) {
    g_calls.push_back(title() + " disappear");
}
void Recorded::respringImpl(id sender) {
    g_calls.push_back(title() + " tapped " + static_cast<UIBarButtonItem*>(sender)->title());
}

TEST(UINavigationController, PushAndPopRunTheAppearanceCallbacksInOrderWhileOnScreen) {
    g_calls.clear();
    auto root = Recorded::named("root");
    auto stack = rt::make<UINavigationController>();
    stack->initWithRootViewController(root);
    EXPECT_TRUE(g_calls.empty()); // nothing loads before the stack is shown

    auto window = rt::make<UIWindow>();
    window->setRootViewController(stack);
    window->makeKeyAndVisible();
    window->makeKeyAndVisible(); // already visible: appears once
    EXPECT_EQ(g_calls, (std::vector<std::string>{"root load on stack", "root appear"}));

    g_calls.clear();
    auto page = Recorded::named("page");
    stack->pushViewController(page, YES);
    EXPECT_EQ(g_calls, (std::vector<std::string>{"page load on stack", "root disappear", "page appear"}));
    EXPECT_EQ(stack->topViewController().get(), page.get());
    EXPECT_EQ(page->view()->window(), window.get());
    EXPECT_EQ(root->view()->window(), nullptr);

    g_calls.clear();
    rt::Ref<UIViewController> popped = stack->popViewControllerAnimated(YES);
    EXPECT_EQ(popped.get(), page.get());
    EXPECT_EQ(g_calls, (std::vector<std::string>{"page disappear", "root appear"}));
    EXPECT_FALSE(page->navigationController());
    EXPECT_FALSE(stack->popViewControllerAnimated(YES)); // the root stays
    EXPECT_EQ(stack->viewControllers().size(), 1u);
}

TEST(UINavigationController, TheStackOwnsItsControllersAndTheyPointBackWeakly) {
    rt::Weak<UIViewController> watch;
    rt::Weak<UINavigationController> stackWatch;
    {
        auto stack = rt::make<UINavigationController>();
        stackWatch = stack.get();
        {
            auto page = Recorded::named("owned");
            watch = page.get();
            stack->initWithRootViewController(page);
        }
        ASSERT_TRUE(watch.lock());
        EXPECT_EQ(watch.lock()->navigationController().get(), stack.get());
    }
    EXPECT_FALSE(stackWatch.lock());
    EXPECT_FALSE(watch.lock());
}

TEST(UIApplication, ListsWindowsInOrderAndKnowsTheKeyOne) {
    auto first = rt::make<UIWindow>();
    auto second = rt::make<UIWindow>();
    std::vector<UIWindow*> ours;
    for (const rt::Ref<UIWindow>& window : UIApplication::sharedApplication()->windows())
        if (window.get() == first.get() || window.get() == second.get())
            ours.push_back(window.get());
    EXPECT_EQ(ours, (std::vector<UIWindow*>{first.get(), second.get()}));

    first->makeKeyWindow();
    EXPECT_TRUE(first->isKeyWindow());
    second->makeKeyWindow();
    EXPECT_FALSE(first->isKeyWindow());
    EXPECT_TRUE(second->isKeyWindow());

    UIWindow* raw = second.get();
    second = nullptr; // the application does not keep windows alive
    for (const rt::Ref<UIWindow>& window : UIApplication::sharedApplication()->windows())
        EXPECT_NE(window.get(), raw);
    EXPECT_FALSE(UIApplication::sharedApplication()->keyWindow());
}

TEST(UINavigationBar, TheAppearanceProxyTintIsNilUntilSetAndInheritsNothing) {
    rt::Ref<UINavigationBar> proxy = UINavigationBar::appearance();
    EXPECT_EQ(proxy.get(), UINavigationBar::appearance().get());
    EXPECT_FALSE(proxy->tintColor());
    auto window = rt::make<UIWindow>();
    window->setTintColor(UIColor::systemGreenColor());
    window->addSubview(proxy); // even inside a tinted window the proxy answers its own value
    EXPECT_FALSE(proxy->tintColor());
    proxy->removeFromSuperview();

    auto before = rt::make<UINavigationBar>();
    EXPECT_EQ(before->tintColor().get(), UIColor::systemBlueColor().get()); // an ordinary bar inherits
    proxy->setTintColor(UIColor::systemTealColor());
    auto after = rt::make<UINavigationBar>();
    EXPECT_EQ(after->tintColor().get(), UIColor::systemTealColor().get());
    EXPECT_EQ(before->tintColor().get(), UIColor::systemBlueColor().get());
    proxy->setTintColor(nullptr);
    EXPECT_FALSE(proxy->tintColor());

    before->setPrefersLargeTitles(YES);
    EXPECT_TRUE(before->prefersLargeTitles());
}

TEST(UIBarButtonItem, TapSendsTheActionWithTheItemAndHoldsItsTargetWeakly) {
    g_calls.clear();
    auto controller = Recorded::named("page");
    auto item = rt::make<UIBarButtonItem>();
    item->initWithTitle("Apply", UIBarButtonItemStylePlain, controller, rt::sel<"respring:">());
    controller->navigationItem()->setRightBarButtonItem(item);
    EXPECT_EQ(controller->navigationItem()->rightBarButtonItem().get(), item.get());
    EXPECT_TRUE(item->tap());
    EXPECT_EQ(g_calls, (std::vector<std::string>{"page tapped Apply"}));

    controller = nullptr; // the item (held here) does not keep its target
    EXPECT_FALSE(item->target());
    EXPECT_FALSE(item->tap());
}

TEST(UIAlertController, ActionsKeepTheirOrderAndATapDismissesBeforeTheHandler) {
    auto presenter = Recorded::named("presenter");
    std::vector<std::string> events;
    auto alert =
        UIAlertController::alertControllerWithTitle("Respring", "Are you sure?", UIAlertControllerStyleAlert);
    auto yes = UIAlertAction::actionWithTitle("Yes", UIAlertActionStyleDefault, [&](UIAlertAction* action) {
        events.push_back(action->title() +
                         (presenter->presentedViewController() ? " while shown" : " after close"));
    });
    alert->addAction(yes);
    alert->addAction(UIAlertAction::actionWithTitle("No", UIAlertActionStyleCancel, nullptr));
    ASSERT_EQ(alert->actions().size(), 2u);
    EXPECT_EQ(alert->actions()[0]->title(), "Yes");
    EXPECT_EQ(alert->actions()[1]->style(), UIAlertActionStyleCancel);
    EXPECT_EQ(alert->title(), "Respring");
    EXPECT_EQ(alert->message(), "Are you sure?");

    bool completed = false;
    presenter->presentViewController(alert, YES, [&] { completed = true; });
    EXPECT_TRUE(completed);
    EXPECT_EQ(presenter->presentedViewController().get(), alert.get());
    EXPECT_EQ(alert->presentingViewController().get(), presenter.get());

    // A second presentation while one is shown is refused.
    auto other = UIAlertController::alertControllerWithTitle("Other", "", UIAlertControllerStyleAlert);
    presenter->presentViewController(other, YES, nullptr);
    EXPECT_EQ(presenter->presentedViewController().get(), alert.get());

    auto stranger = UIAlertAction::actionWithTitle("Yes", UIAlertActionStyleDefault, nullptr);
    EXPECT_FALSE(alert->_dismissWithAction(stranger));
    EXPECT_TRUE(alert->_dismissWithAction(yes));
    EXPECT_EQ(events, (std::vector<std::string>{"Yes after close"}));
    EXPECT_FALSE(presenter->presentedViewController());
    EXPECT_FALSE(alert->presentingViewController());

    // A handlerless button only closes.
    presenter->presentViewController(alert, NO, nullptr);
    EXPECT_TRUE(alert->_dismissWithAction(alert->actions()[1]));
    EXPECT_FALSE(presenter->presentedViewController());
    EXPECT_EQ(events.size(), 1u);
}

TEST(UIResponderChain, ViewsFindTheControllerThatShowsThem) {
    auto controller = Recorded::named("shown");
    auto deep = rt::make<UIView>();
    auto middle = rt::make<UIView>();
    middle->addSubview(deep);
    controller->view()->addSubview(middle);
    EXPECT_EQ(deep->_viewControllerForAncestor().get(), controller.get());
    EXPECT_EQ(controller->view()->nextResponder().get(), controller.get());
    EXPECT_EQ(deep->nextResponder().get(), middle.get());
    middle->removeFromSuperview();
    EXPECT_FALSE(deep->_viewControllerForAncestor());
}

} // namespace
