#pragma once
#include <Foundation/FoundationDefines.h>
#include <UIKit/UIColor.h>
#include <objc/Weak.h>

#include <vector>

class UIView;

// Which corners the corner radius rounds (all four unless told otherwise).
enum CACornerMask : NSUInteger {
    kCALayerMinXMinYCorner = 1 << 0,
    kCALayerMaxXMinYCorner = 1 << 1,
    kCALayerMinXMaxYCorner = 1 << 2,
    kCALayerMaxXMaxYCorner = 1 << 3,
    kCALayerAllCorners = 0xF,
};

// What a view draws with: its corners, clipping and border.
#define CALAYER_PROPERTIES(P)                                                                                \
    P(CGFloat, cornerRadius, setCornerRadius, 0.0)                                                           \
    P(CACornerMask, maskedCorners, setMaskedCorners, kCALayerAllCorners)                                     \
    P(BOOL, masksToBounds, setMasksToBounds, NO)                                                             \
    P(CGFloat, borderWidth, setBorderWidth, 0.0)                                                             \
    P(rt::Ref<UIColor>, borderColor, setBorderColor, {})

class UIKIT_EXTERN CALayer : public NSObject {
    RT_OBJECT(CALayer, NSObject)
    RT_PROPERTIES(CALAYER_PROPERTIES)

    // A vertical gradient drawn instead of the background colour: the first
    // colour at the top of `span`'s bounds, the last at its bottom, evenly
    // spaced between and held beyond, so the same view shows other colours
    // where it sits elsewhere in `span`. Nil `span`: the layer's own bounds.
    // Fewer than two colours, or all equal, clear the gradient.
    void setGradient(const std::vector<rt::Ref<UIColor>>& colours, UIView* span);
    const std::vector<rt::Ref<UIColor>>& gradientColors() const { return m_gradientColors; }
    rt::Ref<UIView> gradientSpan() const;

  private:
    std::vector<rt::Ref<UIColor>> m_gradientColors;
    rt::Weak<UIView> m_gradientSpan;
};
