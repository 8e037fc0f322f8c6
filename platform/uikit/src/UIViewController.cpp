#include <UIKit/UIViewController.h>

#include <UIKit/UINavigationController.h>
#include <UIKit/UINavigationItem.h>
#include <objc/message.h>

RT_DEFINE_CLASS(UIViewController, nullptr)

// Out of line: the members' classes are only declared in the header.
UIViewController::UIViewController(Class cls) : UIResponder(cls) {}
UIViewController::~UIViewController() = default;

rt::Ref<UINavigationController> UIViewController::navigationController() const {
    return m_navigationController.lock();
}

rt::Ref<UIView> UIViewController::viewImpl() {
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

void UIViewController::loadViewImpl() {
    setView(rt::make<UIView>());
}
void UIViewController::viewDidLoadImpl() {}
void UIViewController::viewWillAppearImpl(BOOL) {}
void UIViewController::viewWillDisappearImpl(BOOL) {}
void UIViewController::viewWillLayoutSubviewsImpl() {}
void UIViewController::viewDidLayoutSubviewsImpl() {}

rt::Ref<UINavigationItem> UIViewController::navigationItem() {
    if (!m_navigationItem)
        m_navigationItem = rt::make<UINavigationItem>();
    return m_navigationItem;
}

void UIViewController::presentViewControllerImpl(UIViewController* controller, BOOL,
                                                 UICompletion completion) {
    if (!controller || m_presentedViewController || controller->presentingViewController())
        return;
    m_presentedViewController = controller;
    controller->m_presentingViewController = this;
    controller->view();
    controller->viewWillAppear(YES);
    if (completion)
        completion();
}

void UIViewController::dismissViewControllerAnimatedImpl(BOOL animated, UICompletion completion) {
    rt::Ref<UIViewController> presented = m_presentedViewController;
    if (!presented) {
        // Asked of the presented controller itself: its presenter does the work.
        if (rt::Ref<UIViewController> presenter = presentingViewController())
            presenter->dismissViewControllerAnimated(animated, std::move(completion));
        return;
    }
    presented->viewWillDisappear(animated);
    presented->m_presentingViewController = nullptr;
    m_presentedViewController = nullptr;
    if (completion)
        completion();
}

// The view's superview, or for a controller off screen the stack it is on.
rt::Ref<UIResponder> UIViewController::nextResponderImpl() {
    if (isViewLoaded())
        if (rt::Ref<UIView> superview = view()->superview())
            return superview;
    return navigationController();
}
