#pragma once
#include <UIKit/UINavigationBar.h>
#include <UIKit/UIViewController.h>

#include <vector>

// A stack of controllers under one navigation bar. The stack owns its
// controllers; each knows its stack through a weak back-pointer. While the
// stack is in a window, pushing and popping run the appearance callbacks.
class UIKIT_EXTERN UINavigationController : public UIViewController {
    RT_OBJECT_WITH_CONSTRUCTOR(UINavigationController, UIViewController)

    UINavigationController* initWithRootViewController(UIViewController* root);

    rt::Ref<UINavigationBar> navigationBar() const { return m_navigationBar; }
    const std::vector<rt::Ref<UIViewController>>& viewControllers() const { return m_viewControllers; }
    rt::Ref<UIViewController> topViewController() const;

    // Runtime methods "pushViewController:animated:" and "popViewControllerAnimated:".
    void pushViewController(UIViewController* controller, BOOL animated);
    // Never pops the root; answers the controller taken off.
    rt::Ref<UIViewController> popViewControllerAnimated(BOOL animated);

  private:
    // The work behind the two runtime methods.
    void push(UIViewController* controller, BOOL animated);
    rt::Ref<UIViewController> pop(BOOL animated);

    rt::Ref<UINavigationBar> m_navigationBar;
    std::vector<rt::Ref<UIViewController>> m_viewControllers;
};
