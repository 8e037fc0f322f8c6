#pragma once
#include <UIKit/UIImageView.h>
#include <UIKit/_UIBarBackgroundLayoutModern.h>

// The background view of a bar, behind its content, reaching up under the
// status bar. Its layout object gives the colour of its first layer; the
// shadow image view along its bottom edge is the hairline towards the content.
#define UIBARBACKGROUND_PROPERTIES(P)                                                                        \
    P(rt::Ref<_UIBarBackgroundLayoutModern>, layout, setLayout, {})                                          \
    P(rt::Ref<UIImageView>, shadowView, setShadowView, {})

// The layout: the first layer's colour and the hairline.
#define UIBARBACKGROUND_METHODS(M, O, C) O(layoutSubviews)

class UIKIT_EXTERN _UIBarBackground : public UIView {
    RT_OBJECT_WITH_CONSTRUCTOR(_UIBarBackground, UIView)
    RT_PROPERTIES(UIBARBACKGROUND_PROPERTIES)
    RT_METHODS(UIBARBACKGROUND_METHODS)
};
