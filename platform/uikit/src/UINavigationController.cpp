#include <UIKit/UINavigationController.h>

#include <UIKit/UIWindow.h>
#include <objc/message.h>

#include <algorithm>

namespace {

bool onScreen(UINavigationController* stack) {
    return stack->isViewLoaded() && stack->view()->window();
}

} // namespace

RT_DEFINE_CLASS(UINavigationController, nullptr)

void UINavigationController::loadViewImpl() {
    setView(rt::make<UIView>());
    view()->addSubview(navigationBar());
    if (rt::Ref<UIViewController> top = topViewController())
        view()->addSubview(top->view());
}

// The bar under the status bar, the top controller's view below the bar.
void UINavigationController::viewWillLayoutSubviewsImpl() {
    viewWillLayoutSubviewsSuper();
    const CGSize size = view()->bounds().size;
    rt::Ref<UINavigationBar> bar = navigationBar();
    const CGFloat barHeight =
        bar->prefersLargeTitles() ? UINavigationBar::kLargeTitleHeight : UINavigationBar::kHeight;
    bar->setFrame(CGRectMake(0, UINavigationBar::kStatusBarHeight, size.width, barHeight));
    const CGFloat top = UINavigationBar::kStatusBarHeight + barHeight;
    if (rt::Ref<UIViewController> controller = topViewController(); controller && controller->isViewLoaded())
        controller->view()->setFrame(CGRectMake(0, top, size.width, std::max<CGFloat>(0, size.height - top)));
}

void UINavigationController::viewWillAppearImpl(BOOL animated) {
    viewWillAppearSuper(animated);
    if (rt::Ref<UIViewController> top = topViewController())
        top->viewWillAppear(animated);
}

void UINavigationController::viewWillDisappearImpl(BOOL animated) {
    viewWillDisappearSuper(animated);
    if (rt::Ref<UIViewController> top = topViewController())
        top->viewWillDisappear(animated);
}

UINavigationController::UINavigationController(Class cls)
    : UIViewController(cls), m_navigationBar(rt::make<UINavigationBar>()) {}

UINavigationController* UINavigationController::initWithRootViewController(UIViewController* root) {
    pushViewController(root, NO);
    return this;
}

rt::Ref<UIViewController> UINavigationController::topViewController() const {
    return m_viewControllers.empty() ? nullptr : m_viewControllers.back();
}

void UINavigationController::pushViewControllerImpl(UIViewController* controller, BOOL animated) {
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

rt::Ref<UIViewController> UINavigationController::popViewControllerAnimatedImpl(BOOL animated) {
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
