#pragma once
#include <Foundation/FoundationDefines.h>
#include <UIKit/UIImage.h>
#include <UIKit/UIKitDefines.h>
#include <objc/Weak.h>

#include <string>

enum UIBarButtonItemStyle : NSInteger {
    UIBarButtonItemStylePlain = 0,
    UIBarButtonItemStyleBordered = 1,
    UIBarButtonItemStyleDone = 2,
};

// A button in a navigation bar. Its target is weak, as for every control.
class UIKIT_EXTERN UIBarButtonItem : public NSObject {
    RT_OBJECT(UIBarButtonItem, NSObject)

    UIBarButtonItem* initWithTitle(const std::string& title, UIBarButtonItemStyle style, id target,
                                   SEL action);

    // "initWithImage:style:target:action:": a button showing a picture (a symbol is tinted).
    UIBarButtonItem* initWithImage(UIImage* image, UIBarButtonItemStyle style, id target, SEL action);
    rt::Ref<UIImage> image() const { return m_image; }

    const std::string& title() const { return m_title; }
    void setTitle(const std::string& title) { m_title = title; }
    UIBarButtonItemStyle style() const { return m_style; }
    rt::Ref<objc_object> target() const { return m_target.lock(); }
    void setTarget(id target) { m_target = target; }
    SEL action() const { return m_action; }
    void setAction(SEL action) { m_action = action; }

    // What a tap does: the action goes through the application to the target,
    // with the item as sender. Answers NO when there was no one to send it to.
    BOOL tap();

  private:
    std::string m_title;
    rt::Ref<UIImage> m_image;
    UIBarButtonItemStyle m_style = UIBarButtonItemStylePlain;
    rt::Weak<objc_object> m_target;
    SEL m_action = nullptr;
};
