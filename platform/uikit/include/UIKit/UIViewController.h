#pragma once
#include <UIKit/UIView.h>

#include <functional>
#include <string>

class UINavigationItem;
class UINavigationController;

// Manages one view. The view is made on first use (loadView, then viewDidLoad);
// the appearance callbacks and presentation go through the runtime, so
// subclasses and replacements see every call.
#define UIVIEWCONTROLLER_PROPERTIES(P) P(std::string, title, setTitle, {})

class UIKIT_EXTERN UIViewController : public UIResponder {
    RT_OBJECT_WITH_CONSTRUCTOR(UIViewController, UIResponder)
    RT_PROPERTIES(UIVIEWCONTROLLER_PROPERTIES)

    ~UIViewController() override;

    // Loads the view on first use.
    rt::Ref<UIView> view();
    BOOL isViewLoaded() const { return m_view.get() != nullptr; }
    void setView(rt::Ref<UIView> view);

    // Runtime methods the view system calls and subclasses override.
    void loadView();
    void viewDidLoad();
    void viewWillAppear(BOOL animated);
    void viewWillDisappear(BOOL animated);
    // Runtime methods "viewWillLayoutSubviews" and "viewDidLayoutSubviews",
    // sent around the layoutSubviews of the controller's view.
    void viewWillLayoutSubviews();
    void viewDidLayoutSubviews();

    // Made on first use; owned by the controller.
    rt::Ref<UINavigationItem> navigationItem();
    // The stack this controller is on, if any (weak: the stack owns its controllers).
    rt::Ref<UINavigationController> navigationController() const;

    // Runtime method "presentViewController:animated:completion:". One
    // presentation at a time: while one is shown, another is refused.
    void presentViewController(UIViewController* controller, BOOL animated, std::function<void()> completion);
    // Runtime method "dismissViewControllerAnimated:completion:": dismisses what
    // this controller presents, or, when it presents nothing, itself.
    void dismissViewControllerAnimated(BOOL animated, std::function<void()> completion);
    rt::Ref<UIViewController> presentedViewController() const { return m_presentedViewController; }
    rt::Ref<UIViewController> presentingViewController() const { return m_presentingViewController.lock(); }

  private:
    friend class UINavigationController;

    rt::Ref<UIView> m_view;
    rt::Ref<UINavigationItem> m_navigationItem;
    rt::Weak<UINavigationController> m_navigationController;
    rt::Ref<UIViewController> m_presentedViewController;
    rt::Weak<UIViewController> m_presentingViewController;
};
