#pragma once
#include <UIKit/_UIBarBackground.h>

// The bar above a navigation stack.
#define UINAVIGATIONBAR_PROPERTIES(P)                                                                        \
    P(BOOL, prefersLargeTitles, setPrefersLargeTitles, NO)                                                   \
    P(rt::Ref<UIColor>, barTintColor, setBarTintColor, {})

// "_canShowBackgroundEffects": whether the bar may draw its blurred backdrop.
// The proxy's tint is its own; a bar's is inherited as for any view. The
// layout: the background covers the bar and the status bar above it.
#define UINAVIGATIONBAR_METHODS(M, O, C)                                                                     \
    M(BOOL, _canShowBackgroundEffects, "_canShowBackgroundEffects", ())                                      \
    O(tintColor)                                                                                             \
    O(layoutSubviews)

class UIKIT_EXTERN UINavigationBar : public UIView {
    RT_OBJECT_WITH_CONSTRUCTOR(UINavigationBar, UIView)
    RT_PROPERTIES(UINAVIGATIONBAR_PROPERTIES)
    RT_METHODS(UINAVIGATIONBAR_METHODS)

    // Heights in points on a 390 by 844 screen: the status bar above the bar,
    // the bar, and the bar with a large title.
    static constexpr CGFloat kStatusBarHeight = 47;
    static constexpr CGFloat kHeight = 44;
    static constexpr CGFloat kLargeTitleHeight = 96;

    // The appearance proxy: values set on it are taken by bars made afterwards.
    // Its tintColor is its own, nil until someone sets it; it inherits nothing.
    static rt::Ref<UINavigationBar> appearance();
    bool isAppearanceProxy() const { return m_isAppearanceProxy; }

    // Behind the bar's content, made with the bar; the proxy has none.
    rt::Ref<_UIBarBackground> barBackground() const { return m_barBackground; }

  private:
    struct ProxyTag {};
    UINavigationBar(Class cls, ProxyTag);

    bool m_isAppearanceProxy = false;
    rt::Ref<_UIBarBackground> m_barBackground;
};
