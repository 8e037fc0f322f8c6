#pragma once
#include <ChatKit/ChatKitDefines.h>
#include <UIKit/UIView.h>

// A message balloon. Balloons may draw through an opaque mask when the
// transcript behind them is opaque.
#define CKBALLOONVIEW_PROPERTIES(P) P(BOOL, canUseOpaqueMask, setCanUseOpaqueMask, YES)

class CHATKIT_EXTERN CKBalloonView : public UIView {
    RT_OBJECT_WITH_CONSTRUCTOR(CKBalloonView, UIView)
    RT_PROPERTIES(CKBALLOONVIEW_PROPERTIES)

    static constexpr CGFloat kCornerRadius = 18;

    // The size the balloon takes in a transcript `maxWidth` points wide at most.
    virtual CGSize balloonSize(CGFloat maxWidth) const;
};
