#pragma once
#include <UIKit/UIButton.h>
#include <UIKit/UIImageView.h>
#include <UIKit/UILabel.h>

// The value-and-chevron control at the trailing edge of a menu row: the
// current choice right-aligned before an up-and-down chevron, under a plain
// button that covers it all and carries the menu. A press dims and shrinks it.
#define PQCONTEXTMENUCONTROL_PROPERTIES(P)                                                                   \
    P(rt::Ref<UIImageView>, icon, setIcon, {})                                                               \
    P(rt::Ref<UILabel>, title, setTitle, {})                                                                 \
    P(rt::Ref<UIButton>, btn, setBtn, {})

// "init" answers the control with its three subviews; its own touches go to
// the base first, then to the press animation.
#define PQCONTEXTMENUCONTROL_METHODS(M, O, C)                                                                \
    M(id, init, "init", ())                                                                                  \
    M(void, touchAnimateWithHighlighted, "touchAnimateWithHighlighted:", (BOOL))                             \
    O(touchesBegan)                                                                                          \
    O(touchesEnded)                                                                                          \
    O(touchesCancelled)

class PQContextMenuControl : public UIControl {
    RT_OBJECT(PQContextMenuControl, UIControl)
    RT_PROPERTIES(PQCONTEXTMENUCONTROL_PROPERTIES)
    RT_METHODS(PQCONTEXTMENUCONTROL_METHODS)

    static constexpr CGFloat kIconSize = 20;
    static constexpr CGFloat kTitleToIcon = -5;
    static constexpr CGFloat kTitleFontSize = 16;
    static constexpr double kPressDuration = 0.1;
    static constexpr CGFloat kPressedAlpha = 0.8;
    static constexpr CGFloat kPressedScale = 0.98;
};
