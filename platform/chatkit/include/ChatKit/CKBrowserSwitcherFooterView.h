#pragma once
#include <ChatKit/ChatKitDefines.h>
#include <UIKit/UIView.h>

// The layout: the icons spread evenly.
#define CKBROWSERSWITCHERFOOTERVIEW_METHODS(M, O, C) O(layoutSubviews)

// The footer of the app drawer below the entry field: a row of app icons.
class CHATKIT_EXTERN CKBrowserSwitcherFooterView : public UIView {
    RT_OBJECT_WITH_CONSTRUCTOR(CKBrowserSwitcherFooterView, UIView)
    RT_METHODS(CKBROWSERSWITCHERFOOTERVIEW_METHODS)

    static constexpr CGFloat kHeight = 48;
    static constexpr CGFloat kIconSize = 32;
};
