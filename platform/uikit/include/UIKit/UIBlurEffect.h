#pragma once
#include <Foundation/FoundationDefines.h>
#include <UIKit/UIVisualEffect.h>

enum UIBlurEffectStyle : NSInteger {
    UIBlurEffectStyleExtraLight = 0,
    UIBlurEffectStyleLight = 1,
    UIBlurEffectStyleDark = 2,
    UIBlurEffectStyleRegular = 4,
    UIBlurEffectStyleProminent = 5,
    UIBlurEffectStyleSystemUltraThinMaterial = 6,
    UIBlurEffectStyleSystemThinMaterial = 7,
    UIBlurEffectStyleSystemMaterial = 8,
    UIBlurEffectStyleSystemThickMaterial = 9,
    UIBlurEffectStyleSystemChromeMaterial = 10,
};

#define UIBLUREFFECT_METHODS(M, O, C)                                                                        \
    C(rt::Ref<UIBlurEffect>, effectWithStyle, "effectWithStyle:", (UIBlurEffectStyle))

// A blur of what lies behind, then a tint, in one of the platform's styles.
class UIKIT_EXTERN UIBlurEffect : public UIVisualEffect {
    RT_OBJECT(UIBlurEffect, UIVisualEffect)
    RT_METHODS(UIBLUREFFECT_METHODS)

  public:
    UIBlurEffectStyle style() const { return m_style; }

  private:
    UIBlurEffectStyle m_style = UIBlurEffectStyleLight;
};
