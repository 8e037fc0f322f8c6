#pragma once
#include <UIKit/UIView.h>

// The bar above a navigation stack.
#define UINAVIGATIONBAR_PROPERTIES(P)                                                                        \
    P(BOOL, prefersLargeTitles, setPrefersLargeTitles, NO)                                                   \
    P(rt::Ref<UIColor>, barTintColor, setBarTintColor, {})

class UIKIT_EXTERN UINavigationBar : public UIView {
    RT_OBJECT_WITH_CONSTRUCTOR(UINavigationBar, UIView)
    RT_PROPERTIES(UINAVIGATIONBAR_PROPERTIES)

    // The appearance proxy: values set on it are taken by bars made afterwards.
    // Its tintColor is its own, nil until someone sets it; it inherits nothing.
    static rt::Ref<UINavigationBar> appearance();
    bool isAppearanceProxy() const { return m_isAppearanceProxy; }

  private:
    struct ProxyTag {};
    UINavigationBar(Class cls, ProxyTag);

    bool m_isAppearanceProxy = false;
};
