#pragma once
#include <UIKit/UIBarButtonItem.h>

#include <string>

// What a controller shows in the navigation bar while it is on top.
#define UINAVIGATIONITEM_PROPERTIES(P)                                                                       \
    P(std::string, title, setTitle, {})                                                                      \
    P(rt::Ref<UIBarButtonItem>, rightBarButtonItem, setRightBarButtonItem, {})

class UIKIT_EXTERN UINavigationItem : public NSObject {
    RT_OBJECT(UINavigationItem, NSObject)
    RT_PROPERTIES(UINAVIGATIONITEM_PROPERTIES)

    void setRightBarButtonItem(UIBarButtonItem* item, BOOL animated) {
        (void)animated, setRightBarButtonItem(item);
    }
};
