#include <UIKit/UIViewController.h>

#include <UIKit/UINavigationController.h>
#include <UIKit/UINavigationItem.h>
#include <objc/message.h>

RT_DEFINE_CLASS(UIViewController, [](Class cls, Class) {
    class_addMethod(
        cls, rt::sel<"loadView">(),
        +[](id self, SEL) { static_cast<UIViewController*>(self)->setView(rt::make<UIView>()); });
    class_addMethod(
        cls, rt::sel<"viewDidLoad">(), +[](id, SEL) {});
    // The view, loaded on first use, for whoever asks through the runtime.
    class_addMethod(
        cls, rt::sel<"view">(), +[](id self, SEL) { return static_cast<UIViewController*>(self)->view(); });
    class_addMethod(
        cls, rt::sel<"viewWillAppear:">(), +[](id, SEL, BOOL) {});
    class_addMethod(
        cls, rt::sel<"viewWillDisappear:">(), +[](id, SEL, BOOL) {});
    class_addMethod(
        cls, rt::sel<"viewWillLayoutSubviews">(), +[](id, SEL) {});
    class_addMethod(
        cls, rt::sel<"viewDidLayoutSubviews">(), +[](id, SEL) {});
    class_addMethod(
        cls, rt::sel<"presentViewController:animated:completion:">(),
        +[](id self, SEL, UIViewController* controller, BOOL, std::function<void()> completion) {
            auto* presenter = static_cast<UIViewController*>(self);
            if (!controller || presenter->m_presentedViewController || controller->presentingViewController())
                return;
            presenter->m_presentedViewController = controller;
            controller->m_presentingViewController = presenter;
            controller->view();
            controller->viewWillAppear(YES);
            if (completion)
                completion();
        });
    class_addMethod(
        cls, rt::sel<"dismissViewControllerAnimated:completion:">(),
        +[](id self, SEL, BOOL animated, std::function<void()> completion) {
            auto* controller = static_cast<UIViewController*>(self);
            rt::Ref<UIViewController> presented = controller->m_presentedViewController;
            if (!presented) {
                // Asked of the presented controller itself: its presenter does the work.
                if (rt::Ref<UIViewController> presenter = controller->presentingViewController())
                    presenter->dismissViewControllerAnimated(animated, std::move(completion));
                return;
            }
            presented->viewWillDisappear(animated);
            presented->m_presentingViewController = nullptr;
            controller->m_presentedViewController = nullptr;
            if (completion)
                completion();
        });
    // The view's superview, or for a controller off screen the stack it is on.
    class_addMethod(
        cls, rt::sel<"nextResponder">(), +[](id self, SEL) -> rt::Ref<UIResponder> {
            auto* controller = static_cast<UIViewController*>(self);
            if (controller->isViewLoaded())
                if (rt::Ref<UIView> superview = controller->view()->superview())
                    return superview;
            return controller->navigationController();
        });
})

// Out of line: the members' classes are only declared in the header.
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

void UIViewController::setView(rt::Ref<UIView> view) {
    if (m_view)
        m_view->m_viewDelegate = nullptr;
    m_view = std::move(view);
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
void UIViewController::viewWillLayoutSubviews() {
    rt::send<void()>(this, rt::sel<"viewWillLayoutSubviews">());
}
void UIViewController::viewDidLayoutSubviews() {
    rt::send<void()>(this, rt::sel<"viewDidLayoutSubviews">());
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
