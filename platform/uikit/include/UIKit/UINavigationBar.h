#pragma once
#include <UIKit/UIView.h>

// The bar above a navigation stack.
class UIKIT_EXTERN UINavigationBar : public UIView {
  public:
    static Class classObject();
    UINavigationBar() : UINavigationBar(classObject()) {}
    explicit UINavigationBar(Class cls);

    // The appearance proxy: values set on it are taken by bars made afterwards.
    // Its tintColor is its own, nil until someone sets it; it inherits nothing.
    static rt::Ref<UINavigationBar> appearance();
    bool isAppearanceProxy() const { return m_isAppearanceProxy; }

    // Runtime methods "prefersLargeTitles" and "setPrefersLargeTitles:".
    BOOL prefersLargeTitles();
    void setPrefersLargeTitles(BOOL prefersLargeTitles);
    // Runtime methods "barTintColor" and "setBarTintColor:".
    rt::Ref<UIColor> barTintColor();
    void setBarTintColor(UIColor* colour);

  private:
    friend struct UINavigationBarAccess;
    struct ProxyTag {};
    explicit UINavigationBar(ProxyTag);

    BOOL m_prefersLargeTitles = NO;
    rt::Ref<UIColor> m_barTintColor;
    bool m_isAppearanceProxy = false;
};
