#pragma once
#include <ChatKit/ChatKitDefines.h>
#include <UIKit/UIView.h>

// The footer of the app drawer below the entry field: a row of app icons.
class CHATKIT_EXTERN CKBrowserSwitcherFooterView : public UIView {
    RT_OBJECT_WITH_CONSTRUCTOR(CKBrowserSwitcherFooterView, UIView)

    static constexpr CGFloat kHeight = 48;
    static constexpr CGFloat kIconSize = 32;

  private:
    // Runtime "layoutSubviews": the icons spread evenly.
    void placeIcons();
};
