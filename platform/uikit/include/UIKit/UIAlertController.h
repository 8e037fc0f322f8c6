#pragma once
#include <UIKit/UIAlertAction.h>
#include <UIKit/UIViewController.h>

#include <string>
#include <vector>

enum UIAlertControllerStyle : NSInteger {
    UIAlertControllerStyleActionSheet = 0,
    UIAlertControllerStyleAlert = 1,
};

// A title, a message and buttons, presented over the controller that asked.
class UIKIT_EXTERN UIAlertController : public UIViewController {
    RT_OBJECT(UIAlertController, UIViewController)
    static rt::Ref<UIAlertController> alertControllerWithTitle(const std::string& title,
                                                               const std::string& message,
                                                               UIAlertControllerStyle preferredStyle);

    const std::string& message() const { return m_message; }
    UIAlertControllerStyle preferredStyle() const { return m_preferredStyle; }
    // Buttons in the order they were added.
    const std::vector<rt::Ref<UIAlertAction>>& actions() const { return m_actions; }
    void addAction(UIAlertAction* action);

    // What a tap on one of its buttons does: the alert is dismissed, then the
    // button's handler runs. A button of another alert, or disabled, does nothing.
    BOOL _dismissWithAction(UIAlertAction* action);

  private:
    std::string m_message;
    UIAlertControllerStyle m_preferredStyle = UIAlertControllerStyleAlert;
    std::vector<rt::Ref<UIAlertAction>> m_actions;
};
