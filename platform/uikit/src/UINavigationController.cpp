#include <UIKit/UINavigationController.h>

#include <UIKit/UIWindow.h>
#include <objc/message.h>

struct UINavigationControllerAccess {
    static UINavigationController* stack(id self) { return static_cast<UINavigationController*>(self); }
    static std::vector<rt::Ref<UIViewController>>& controllers(id self) {
        return stack(self)->m_viewControllers;
    }
    static void adopt(id self, UIViewController* child) { child->m_navigationController = stack(self); }
    static void release(UIViewController* child) { child->m_navigationController = nullptr; }
};

namespace {

using A = UINavigationControllerAccess;

bool onScreen(UINavigationController* stack) {
    return stack->isViewLoaded() && stack->view()->window();
}

void loadView(id self, SEL) {
    UINavigationController* stack = A::stack(self);
    stack->setView(rt::make<UIView>());
    stack->view()->addSubview(stack->navigationBar());
    if (rt::Ref<UIViewController> top = stack->topViewController())
        stack->view()->addSubview(top->view());
}

void viewWillAppear(id self, SEL cmd, BOOL animated) {
    rt::sendSuper<void(BOOL)>(self, UINavigationController::classObject(), cmd, animated);
    if (rt::Ref<UIViewController> top = A::stack(self)->topViewController())
        top->viewWillAppear(animated);
}

void viewWillDisappear(id self, SEL cmd, BOOL animated) {
    rt::sendSuper<void(BOOL)>(self, UINavigationController::classObject(), cmd, animated);
    if (rt::Ref<UIViewController> top = A::stack(self)->topViewController())
        top->viewWillDisappear(animated);
}

void pushViewController(id self, SEL, UIViewController* controller, BOOL animated) {
    UINavigationController* stack = A::stack(self);
    if (!controller || controller->navigationController())
        return; // already on a stack
    rt::Ref<UIViewController> keep(controller);
    rt::Ref<UIViewController> previous = stack->topViewController();
    A::adopt(self, controller);
    A::controllers(self).push_back(keep);
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

rt::Ref<UIViewController> popViewControllerAnimated(id self, SEL, BOOL animated) {
    UINavigationController* stack = A::stack(self);
    auto& controllers = A::controllers(self);
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
    A::release(popped);
    return popped;
}

[[maybe_unused]] const Class registered = UINavigationController::classObject();

} // namespace

Class UINavigationController::classObject() {
    static const Class cls =
        rt::defineClass("UINavigationController", UIViewController::classObject(), [](Class c, Class) {
            class_addMethod(c, rt::sel<"loadView">(), &::loadView);
            class_addMethod(c, rt::sel<"viewWillAppear:">(), &::viewWillAppear);
            class_addMethod(c, rt::sel<"viewWillDisappear:">(), &::viewWillDisappear);
            class_addMethod(c, rt::sel<"pushViewController:animated:">(), &::pushViewController);
            class_addMethod(c, rt::sel<"popViewControllerAnimated:">(), &::popViewControllerAnimated);
            rt::setAllocator(c, &rt::allocate<UINavigationController>);
        });
    return cls;
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

void UINavigationController::pushViewController(UIViewController* controller, BOOL animated) {
    rt::send<void(UIViewController*, BOOL)>(this, rt::sel<"pushViewController:animated:">(), controller,
                                            animated);
}

rt::Ref<UIViewController> UINavigationController::popViewControllerAnimated(BOOL animated) {
    return rt::send<rt::Ref<UIViewController>(BOOL)>(this, rt::sel<"popViewControllerAnimated:">(), animated);
}
