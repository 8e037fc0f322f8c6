#include <UIKit/UIWindow.h>

#include <UIKit/UIApplication.h>
#include <UIKit/UIViewController.h>
#include <objc/message.h>

RT_DEFINE_CLASS(UIWindow, [](Class cls, Class) {
    // The root controller's view fills the window.
    class_addMethod(
        cls, rt::sel<"layoutSubviews">(), +[](id self, SEL cmd) {
            rt::sendSuper<void()>(self, UIWindow::classObject(), cmd);
            auto* window = static_cast<UIWindow*>(self);
            if (window->m_rootViewController && window->m_rootViewController->isViewLoaded())
                window->m_rootViewController->view()->setFrame(window->bounds());
        });
    class_addMethod(
        cls, rt::sel<"isKeyWindow">(),
        +[](id self, SEL) -> BOOL { return UIApplication::sharedApplication()->keyWindow().get() == self; });
    class_addMethod(
        cls, rt::sel<"makeKeyWindow">(), +[](id self, SEL) {
            UIApplication::sharedApplication()->setKeyWindow(static_cast<UIWindow*>(self));
        });
})

// The application keeps the list of windows and which one is key.
UIWindow::UIWindow(Class cls) : UIView(cls) {
    UIApplication::sharedApplication()->addWindow(this);
}

rt::Ref<UIViewController> UIWindow::rootViewController() const {
    return m_rootViewController;
}

BOOL UIWindow::isKeyWindow() {
    return rt::send<BOOL()>(this, rt::sel<"isKeyWindow">());
}
void UIWindow::makeKeyWindow() {
    rt::send<void()>(this, rt::sel<"makeKeyWindow">());
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
