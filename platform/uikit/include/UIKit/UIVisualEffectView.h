#pragma once
#include <UIKit/UIView.h>
#include <UIKit/UIVisualEffect.h>

// Applies its effect to what is drawn behind it, clipped to its bounds; its
// content view's subviews are drawn above the effect. Without an effect it
// draws nothing of its own.
#define UIVISUALEFFECTVIEW_PROPERTIES(P) P(rt::Ref<UIVisualEffect>, effect, setEffect, {})

// The content view keeps the effect view's size.
#define UIVISUALEFFECTVIEW_METHODS(M, O, C) O(setFrame)

class UIKIT_EXTERN UIVisualEffectView : public UIView {
    RT_OBJECT(UIVisualEffectView, UIView)
    RT_PROPERTIES(UIVISUALEFFECTVIEW_PROPERTIES)
    RT_METHODS(UIVISUALEFFECTVIEW_METHODS)

    // "initWithEffect:".
    UIVisualEffectView* initWithEffect(UIVisualEffect* effect);
    // Made on first use; a subview that follows the view's bounds.
    rt::Ref<UIView> contentView();

  private:
    rt::Ref<UIView> m_contentView;
};
