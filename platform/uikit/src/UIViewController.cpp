#include <UIKit/UIViewController.h>

#include <UIKit/UINavigationController.h>
#include <UIKit/UINavigationItem.h>
#include <objc/message.h>

struct UIViewControllerAccess {
    static UIViewController* controller(id self) { return static_cast<UIViewController*>(self); }
    static rt::Ref<UIViewController>& presented(id self) {
        return controller(self)->m_presentedViewController;
    }
    static rt::Weak<UIViewController>& presenting(id self) {
        return controller(self)->m_presentingViewController;
    }
};

namespace {

using A = UIViewControllerAccess;

void loadView(id self, SEL) {
    A::controller(self)->setView(rt::make<UIView>());
}
void nothing(id, SEL) {}
void nothingAnimated(id, SEL, BOOL) {}

void presentViewController(id self, SEL, UIViewController* controller, BOOL,
                           std::function<void()> completion) {
    if (!controller || A::presented(self) || controller->presentingViewController())
        return;
    A::presented(self) = controller;
    A::presenting(controller) = A::controller(self);
    controller->view();
    controller->viewWillAppear(YES);
    if (completion)
        completion();
}

void dismissViewControllerAnimated(id self, SEL, BOOL animated, std::function<void()> completion) {
    rt::Ref<UIViewController> presented = A::presented(self);
    if (!presented) {
        // Asked of the presented controller itself: its presenter does the work.
        if (rt::Ref<UIViewController> presenter = A::presenting(self).lock())
            presenter->dismissViewControllerAnimated(animated, std::move(completion));
        return;
    }
    presented->viewWillDisappear(animated);
    A::presenting(presented) = nullptr;
    A::presented(self) = nullptr;
    if (completion)
        completion();
}

// The view's superview, or for a controller off screen the stack it is on.
rt::Ref<UIResponder> nextResponder(id self, SEL) {
    UIViewController* controller = A::controller(self);
    if (controller->isViewLoaded())
        if (rt::Ref<UIView> superview = controller->view()->superview())
            return superview;
    return controller->navigationController();
}

[[maybe_unused]] const Class registered = UIViewController::classObject();

} // namespace

Class UIViewController::classObject() {
    static const Class cls =
        rt::defineClass("UIViewController", UIResponder::classObject(), [](Class c, Class) {
            class_addMethod(c, rt::sel<"loadView">(), &::loadView);
            class_addMethod(c, rt::sel<"viewDidLoad">(), &::nothing);
            class_addMethod(c, rt::sel<"viewWillAppear:">(), &::nothingAnimated);
            class_addMethod(c, rt::sel<"viewWillDisappear:">(), &::nothingAnimated);
            class_addMethod(c, rt::sel<"presentViewController:animated:completion:">(),
                            &::presentViewController);
            class_addMethod(c, rt::sel<"dismissViewControllerAnimated:completion:">(),
                            &::dismissViewControllerAnimated);
            class_addMethod(c, rt::sel<"nextResponder">(), &::nextResponder);
            rt::setAllocator(c, &rt::allocate<UIViewController>);
        });
    return cls;
}

UIViewController::UIViewController(Class cls) : UIResponder(cls) {}
UIViewController::~UIViewController() = default;

rt::Ref<UINavigationController> UIViewController::navigationController() const {
    return m_navigationController.lock();
}

rt::Ref<UIView> UIViewController::view() {
    if (!m_view) {
        loadView();
        if (!m_view)
            setView(rt::make<UIView>()); // a loadView that made nothing still leaves a view
        viewDidLoad();
    }
    return m_view;
}

void UIViewController::setView(UIView* view) {
    if (m_view)
        m_view->m_viewDelegate = nullptr;
    m_view = view;
    if (m_view)
        m_view->m_viewDelegate = this;
}

void UIViewController::loadView() {
    rt::send<void()>(this, rt::sel<"loadView">());
}
void UIViewController::viewDidLoad() {
    rt::send<void()>(this, rt::sel<"viewDidLoad">());
}
void UIViewController::viewWillAppear(BOOL animated) {
    rt::send<void(BOOL)>(this, rt::sel<"viewWillAppear:">(), animated);
}
void UIViewController::viewWillDisappear(BOOL animated) {
    rt::send<void(BOOL)>(this, rt::sel<"viewWillDisappear:">(), animated);
}

rt::Ref<UINavigationItem> UIViewController::navigationItem() {
    if (!m_navigationItem)
        m_navigationItem = rt::make<UINavigationItem>();
    return m_navigationItem;
}

void UIViewController::presentViewController(UIViewController* controller, BOOL animated,
                                             std::function<void()> completion) {
    rt::send<void(UIViewController*, BOOL, std::function<void()>)>(
        this, rt::sel<"presentViewController:animated:completion:">(), controller, animated,
        std::move(completion));
}

void UIViewController::dismissViewControllerAnimated(BOOL animated, std::function<void()> completion) {
    rt::send<void(BOOL, std::function<void()>)>(this, rt::sel<"dismissViewControllerAnimated:completion:">(),
                                                animated, std::move(completion));
}
