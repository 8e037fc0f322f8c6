#include <UIKit/UIBlurEffect.h>

RT_DEFINE_CLASS(UIBlurEffect, [](Class, Class meta) {
    class_addMethod(
        meta, rt::sel<"effectWithStyle:">(), +[](id, SEL, UIBlurEffectStyle style) {
            rt::Ref<UIBlurEffect> effect = rt::make<UIBlurEffect>();
            effect->m_style = style;
            return effect;
        });
})

rt::Ref<UIBlurEffect> UIBlurEffect::effectWithStyle(UIBlurEffectStyle style) {
    return rt::send<rt::Ref<UIBlurEffect>(UIBlurEffectStyle)>(classObject(), rt::sel<"effectWithStyle:">(),
                                                              style);
}
