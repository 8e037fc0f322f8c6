#include <UIKit/UIBlurEffect.h>

RT_DEFINE_CLASS(UIBlurEffect, nullptr)

rt::Ref<UIBlurEffect> UIBlurEffect::effectWithStyleImpl(UIBlurEffectStyle style) {
    rt::Ref<UIBlurEffect> effect = rt::make<UIBlurEffect>();
    effect->m_style = style;
    return effect;
}
