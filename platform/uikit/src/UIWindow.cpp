#include <UIKit/UIWindow.h>

#include <UIKit/UIApplication.h>
#include <UIKit/UIViewController.h>
#include <objc/message.h>

RT_DEFINE_CLASS(UIWindow, nullptr)

// The application keeps the list of windows and which one is key.
UIWindow::UIWindow(Class cls) : UIView(cls) {
    UIApplication::sharedApplication()->addWindow(this);
}

rt::Ref<UIViewController> UIWindow::rootViewController() const {
    return m_rootViewController;
}

void UIWindow::layoutSubviewsImpl() {
    layoutSubviewsSuper();
    if (m_rootViewController && m_rootViewController->isViewLoaded())
        m_rootViewController->view()->setFrame(bounds());
}

BOOL UIWindow::isKeyWindowImpl() {
    return UIApplication::sharedApplication()->keyWindow().get() == this;
}
void UIWindow::makeKeyWindowImpl() {
    UIApplication::sharedApplication()->setKeyWindow(this);
}

void UIWindow::makeKeyAndVisible() {
    makeKeyWindow();
    if (m_visible)
        return;
    m_visible = true;
    if (m_rootViewController)
        m_rootViewController->viewWillAppear(NO);
}

void UIWindow::setRootViewController(UIViewController* controller) {
    if (m_rootViewController.get() == controller)
        return;
    if (m_rootViewController && m_rootViewController->isViewLoaded())
        m_rootViewController->view()->removeFromSuperview();
    m_rootViewController = controller;
    if (controller) {
        controller->view()->setFrame(bounds());
        addSubview(controller->view());
    }
}
