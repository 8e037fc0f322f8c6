#pragma once
#include <UIKit/UIBarButtonItem.h>

#include <string>

// What a controller shows in the navigation bar while it is on top.
class UIKIT_EXTERN UINavigationItem : public NSObject {
  public:
    static Class classObject();
    UINavigationItem() : UINavigationItem(classObject()) {}
    explicit UINavigationItem(Class cls) : NSObject(cls) {}

    const std::string& title() const { return m_title; }
    void setTitle(const std::string& title) { m_title = title; }

    rt::Ref<UIBarButtonItem> rightBarButtonItem() const { return m_rightBarButtonItem; }
    void setRightBarButtonItem(UIBarButtonItem* item) { m_rightBarButtonItem = item; }
    void setRightBarButtonItem(UIBarButtonItem* item, BOOL animated) {
        (void)animated, setRightBarButtonItem(item);
    }

  private:
    std::string m_title;
    rt::Ref<UIBarButtonItem> m_rightBarButtonItem;
};
