#pragma once
#include <UIKit/UIView.h>

class UIViewController;

// The top of a view hierarchy. Every window is listed by the application, in
// the order made; at most one is the key window. The root controller's view
// fills the window.
#define UIWINDOW_METHODS(M, O, C)                                                                            \
    M(BOOL, isKeyWindow, "isKeyWindow", ())                                                                  \
    M(void, makeKeyWindow, "makeKeyWindow", ())                                                              \
    O(layoutSubviews)

class UIKIT_EXTERN UIWindow : public UIView {
    RT_OBJECT_WITH_CONSTRUCTOR(UIWindow, UIView)
    RT_METHODS(UIWINDOW_METHODS)

  public:
    // Makes the window key and shows its root controller, which then appears.
    void makeKeyAndVisible();

    rt::Ref<UIViewController> rootViewController() const;
    // Puts the controller's view into the window (loading it if need be).
    void setRootViewController(UIViewController* controller);

  private:
    rt::Ref<UIViewController> m_rootViewController;
    bool m_visible = false;
};
