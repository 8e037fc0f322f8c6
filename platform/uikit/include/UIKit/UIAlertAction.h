#pragma once
#include <Foundation/FoundationDefines.h>
#include <UIKit/UIKitDefines.h>

#include <functional>
#include <string>

enum UIAlertActionStyle : NSInteger {
    UIAlertActionStyleDefault = 0,
    UIAlertActionStyleCancel = 1,
    UIAlertActionStyleDestructive = 2,
};

// One button of an alert and what it does once the alert has closed.
class UIKIT_EXTERN UIAlertAction : public NSObject {
    RT_OBJECT(UIAlertAction, NSObject)
    using Handler = std::function<void(UIAlertAction*)>;

    static rt::Ref<UIAlertAction> actionWithTitle(const std::string& title, UIAlertActionStyle style,
                                                  Handler handler);

    const std::string& title() const { return m_title; }
    UIAlertActionStyle style() const { return m_style; }
    const Handler& handler() const { return m_handler; }
    BOOL isEnabled() const { return m_enabled; }
    void setEnabled(BOOL enabled) { m_enabled = enabled; }

  private:
    std::string m_title;
    UIAlertActionStyle m_style = UIAlertActionStyleDefault;
    Handler m_handler;
    BOOL m_enabled = YES;
};
