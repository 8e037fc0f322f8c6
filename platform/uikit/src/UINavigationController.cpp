#include <UIKit/UINavigationController.h>

#include <UIKit/UIWindow.h>
#include <objc/message.h>

#include <algorithm>

namespace {

UINavigationController* stackOf(id self) {
    return static_cast<UINavigationController*>(self);
}

bool onScreen(UINavigationController* stack) {
    return stack->isViewLoaded() && stack->view()->window();
}

void loadView(id self, SEL) {
    UINavigationController* stack = stackOf(self);
    stack->setView(rt::make<UIView>());
    stack->view()->addSubview(stack->navigationBar());
    if (rt::Ref<UIViewController> top = stack->topViewController())
        stack->view()->addSubview(top->view());
}

// The bar under the status bar, the top controller's view below the bar.
void viewWillLayoutSubviews(id self, SEL cmd) {
    rt::sendSuper<void()>(self, UINavigationController::classObject(), cmd);
    UINavigationController* stack = stackOf(self);
    const CGSize size = stack->view()->bounds().size;
    rt::Ref<UINavigationBar> bar = stack->navigationBar();
    const CGFloat barHeight =
        bar->prefersLargeTitles() ? UINavigationBar::kLargeTitleHeight : UINavigationBar::kHeight;
    bar->setFrame(CGRectMake(0, UINavigationBar::kStatusBarHeight, size.width, barHeight));
    const CGFloat top = UINavigationBar::kStatusBarHeight + barHeight;
    if (rt::Ref<UIViewController> controller = stack->topViewController();
        controller && controller->isViewLoaded())
        controller->view()->setFrame(CGRectMake(0, top, size.width, std::max<CGFloat>(0, size.height - top)));
}

void viewWillAppear(id self, SEL cmd, BOOL animated) {
    rt::sendSuper<void(BOOL)>(self, UINavigationController::classObject(), cmd, animated);
    if (rt::Ref<UIViewController> top = stackOf(self)->topViewController())
        top->viewWillAppear(animated);
}

void viewWillDisappear(id self, SEL cmd, BOOL animated) {
    rt::sendSuper<void(BOOL)>(self, UINavigationController::classObject(), cmd, animated);
    if (rt::Ref<UIViewController> top = stackOf(self)->topViewController())
        top->viewWillDisappear(animated);
}

} // namespace

RT_DEFINE_CLASS(UINavigationController, [](Class cls, Class) {
    class_addMethod(cls, rt::sel<"loadView">(), &::loadView);
    class_addMethod(cls, rt::sel<"viewWillAppear:">(), &::viewWillAppear);
    class_addMethod(cls, rt::sel<"viewWillLayoutSubviews">(), &::viewWillLayoutSubviews);
    class_addMethod(cls, rt::sel<"viewWillDisappear:">(), &::viewWillDisappear);
    class_addMethod(
        cls, rt::sel<"pushViewController:animated:">(),
        +[](id self, SEL, UIViewController* controller, BOOL animated) {
            stackOf(self)->push(controller, animated);
        });
    class_addMethod(
        cls, rt::sel<"popViewControllerAnimated:">(),
        +[](id self, SEL, BOOL animated) { return stackOf(self)->pop(animated); });
})

UINavigationController::UINavigationController(Class cls)
    : UIViewController(cls), m_navigationBar(rt::make<UINavigationBar>()) {}

UINavigationController* UINavigationController::initWithRootViewController(UIViewController* root) {
    pushViewController(root, NO);
    return this;
}

rt::Ref<UIViewController> UINavigationController::topViewController() const {
    return m_viewControllers.empty() ? nullptr : m_viewControllers.back();
}

void UINavigationController::pushViewController(UIViewController* controller, BOOL animated) {
    rt::send<void(UIViewController*, BOOL)>(this, rt::sel<"pushViewController:animated:">(), controller,
                                            animated);
}

rt::Ref<UIViewController> UINavigationController::popViewControllerAnimated(BOOL animated) {
    return rt::send<rt::Ref<UIViewController>(BOOL)>(this, rt::sel<"popViewControllerAnimated:">(), animated);
}

void UINavigationController::push(UIViewController* controller, BOOL animated) {
    UINavigationController* stack = this;
    if (!controller || controller->navigationController())
        return; // already on a stack
    rt::Ref<UIViewController> keep(controller);
    rt::Ref<UIViewController> previous = stack->topViewController();
    controller->m_navigationController = this;
    m_viewControllers.push_back(keep);
    if (!stack->isViewLoaded())
        return;
    controller->view(); // loads it now that it knows its stack
    const bool visible = onScreen(stack);
    if (previous && visible)
        previous->viewWillDisappear(animated);
    if (visible)
        controller->viewWillAppear(animated);
    if (previous)
        previous->view()->removeFromSuperview();
    stack->view()->addSubview(controller->view());
}

rt::Ref<UIViewController> UINavigationController::pop(BOOL animated) {
    UINavigationController* stack = this;
    auto& controllers = m_viewControllers;
    if (controllers.size() < 2)
        return nullptr;
    rt::Ref<UIViewController> popped = controllers.back();
    rt::Ref<UIViewController> revealed = controllers[controllers.size() - 2];
    if (stack->isViewLoaded()) {
        const bool visible = onScreen(stack);
        if (visible) {
            popped->viewWillDisappear(animated);
            revealed->viewWillAppear(animated);
        }
        popped->view()->removeFromSuperview();
        stack->view()->addSubview(revealed->view());
    }
    controllers.pop_back();
    popped->m_navigationController = nullptr;
    return popped;
}
