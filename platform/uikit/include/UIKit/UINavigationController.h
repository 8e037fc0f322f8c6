#pragma once
#include <UIKit/UINavigationBar.h>
#include <UIKit/UIViewController.h>

#include <vector>

// A stack of controllers under one navigation bar. The stack owns its
// controllers; each knows its stack through a weak back-pointer. While the
// stack is in a window, pushing and popping run the appearance callbacks.
// "popViewControllerAnimated:" never pops the root; it answers the controller
// taken off. The view is the bar under the status bar, the top controller's
// view below the bar.
#define UINAVIGATIONCONTROLLER_METHODS(M, O, C)                                                              \
    M(void, pushViewController, "pushViewController:animated:", (UIViewController*, BOOL))                   \
    M(rt::Ref<UIViewController>, popViewControllerAnimated, "popViewControllerAnimated:", (BOOL))            \
    O(loadView)                                                                                              \
    O(viewWillAppear)                                                                                        \
    O(viewWillLayoutSubviews)                                                                                \
    O(viewWillDisappear)

class UIKIT_EXTERN UINavigationController : public UIViewController {
    RT_OBJECT_WITH_CONSTRUCTOR(UINavigationController, UIViewController)
    RT_METHODS(UINAVIGATIONCONTROLLER_METHODS)

    UINavigationController* initWithRootViewController(UIViewController* root);

    rt::Ref<UINavigationBar> navigationBar() const { return m_navigationBar; }
    const std::vector<rt::Ref<UIViewController>>& viewControllers() const { return m_viewControllers; }
    rt::Ref<UIViewController> topViewController() const;

  private:
    rt::Ref<UINavigationBar> m_navigationBar;
    std::vector<rt::Ref<UIViewController>> m_viewControllers;
};
