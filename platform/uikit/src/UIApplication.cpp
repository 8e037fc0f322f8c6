#include <UIKit/UIApplication.h>

#include "LayoutCommit.h"

#include <UIKit/UIWindow.h>
#include <objc/message.h>

RT_DEFINE_CLASS(UIApplication, nullptr)

UIApplication* UIApplication::sharedApplication() {
    // Lives as long as the process; windows may still ask for it during exit.
    static UIApplication* const shared = [] {
        uikit::LayoutCommit::installOnMainRunLoop();
        return rt::make<UIApplication>().leak();
    }();
    return shared;
}

std::vector<rt::Ref<UIWindow>> UIApplication::windows() const {
    std::vector<rt::Ref<UIWindow>> live;
    for (const rt::Weak<UIWindow>& window : m_windows)
        if (rt::Ref<UIWindow> strong = window.lock())
            live.push_back(strong);
    return live;
}

rt::Ref<UIWindow> UIApplication::keyWindow() const {
    return m_keyWindow.lock();
}

BOOL UIApplication::sendAction(SEL action, id target, id sender) {
    if (!target || !action)
        return NO;
    // The device lets an action take the sender or nothing; the runtime keeps
    // the signature, so look at which one the target implements.
    objc_method method = rt::findMethod(target->isa(), action);
    if (method.imp && *method.type == typeid(rt::MethodType<void()>::Pointer))
        rt::send<void()>(target, action);
    else
        rt::send<void(id)>(target, action, sender);
    return YES;
}

void UIApplication::addWindow(UIWindow* window) {
    m_windows.emplace_back(window);
}

void UIApplication::setKeyWindow(UIWindow* window) {
    m_keyWindow = window;
}
