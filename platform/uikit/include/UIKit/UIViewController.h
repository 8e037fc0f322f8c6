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

// "view" loads the view on first use. The view system sends the others and
// subclasses override them: "viewWillLayoutSubviews" and
// "viewDidLayoutSubviews" go around the layoutSubviews of the controller's
// view. One presentation at a time: while one is shown, another is refused.
// "dismissViewControllerAnimated:completion:" dismisses what this controller
// presents, or, when it presents nothing, itself.
using UICompletion = std::function<void()>;
#define UIVIEWCONTROLLER_METHODS(M, O, C)                                                                    \
    M(rt::Ref<UIView>, view, "view", ())                                                                     \
    M(void, loadView, "loadView", ())                                                                        \
    M(void, viewDidLoad, "viewDidLoad", ())                                                                  \
    M(void, viewWillAppear, "viewWillAppear:", (BOOL))                                                       \
    M(void, viewWillDisappear, "viewWillDisappear:", (BOOL))                                                 \
    M(void, viewWillLayoutSubviews, "viewWillLayoutSubviews", ())                                            \
    M(void, viewDidLayoutSubviews, "viewDidLayoutSubviews", ())                                              \
    M(void, presentViewController,                                                                           \
      "presentViewController:animated:completion:", (UIViewController*, BOOL, UICompletion))                 \
    M(void, dismissViewControllerAnimated,                                                                   \
      "dismissViewControllerAnimated:completion:", (BOOL, UICompletion))                                     \
    O(nextResponder)

class UIKIT_EXTERN UIViewController : public UIResponder {
    RT_OBJECT_WITH_CONSTRUCTOR(UIViewController, UIResponder)
    RT_PROPERTIES(UIVIEWCONTROLLER_PROPERTIES)
    RT_METHODS(UIVIEWCONTROLLER_METHODS)

    ~UIViewController() override;

    BOOL isViewLoaded() const { return m_view.get() != nullptr; }
    void setView(rt::Ref<UIView> view);

    // Made on first use; owned by the controller.
    rt::Ref<UINavigationItem> navigationItem();
    // The stack this controller is on, if any (weak: the stack owns its controllers).
    rt::Ref<UINavigationController> navigationController() const;

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
