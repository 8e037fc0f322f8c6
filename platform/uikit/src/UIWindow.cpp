#include <UIKit/UIWindow.h>

#include <UIKit/UIApplication.h>
#include <UIKit/UIViewController.h>
#include <objc/message.h>

// The application keeps the list of windows and which one is key.
struct UIWindowAccess {
    static void add(UIWindow* window) { UIApplication::sharedApplication()->addWindow(window); }
    static void makeKeyWindow(id self, SEL) {
        UIApplication::sharedApplication()->setKeyWindow(static_cast<UIWindow*>(self));
    }
};

namespace {

BOOL isKeyWindow(id self, SEL) {
    return UIApplication::sharedApplication()->keyWindow().get() == self;
}

[[maybe_unused]] const Class registered = UIWindow::classObject();

} // namespace

Class UIWindow::classObject() {
    static const Class cls = rt::defineClass("UIWindow", UIView::classObject(), [](Class c, Class) {
        class_addMethod(c, rt::sel<"isKeyWindow">(), &::isKeyWindow);
        class_addMethod(c, rt::sel<"makeKeyWindow">(), &UIWindowAccess::makeKeyWindow);
        rt::setAllocator(c, &rt::allocate<UIWindow>);
    });
    return cls;
}

UIWindow::UIWindow(Class cls) : UIView(cls) {
    UIWindowAccess::add(this);
}

UIWindow::~UIWindow() = default;

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
    if (controller)
        addSubview(controller->view());
}
