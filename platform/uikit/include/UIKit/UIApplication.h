#pragma once
#include <UIKit/UIResponder.h>
#include <objc/Weak.h>

#include <vector>

class UIWindow;

// The process's application object: its windows and the way actions reach
// their targets.
class UIKIT_EXTERN UIApplication : public UIResponder {
    RT_OBJECT(UIApplication, UIResponder)
    static UIApplication* sharedApplication();

    // Live windows in the order they were made. The application does not own them.
    std::vector<rt::Ref<UIWindow>> windows() const;
    rt::Ref<UIWindow> keyWindow() const;

    // Sends `action` to `target` with `sender`, as controls and bar items do.
    // The action may take the sender or nothing. Answers NO without a target.
    BOOL sendAction(SEL action, id target, id sender);

  private:
    friend class UIWindow;
    void addWindow(UIWindow* window);
    void setKeyWindow(UIWindow* window);

    std::vector<rt::Weak<UIWindow>> m_windows;
    rt::Weak<UIWindow> m_keyWindow;
};
