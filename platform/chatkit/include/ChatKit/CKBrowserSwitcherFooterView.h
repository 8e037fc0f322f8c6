#pragma once
#include <ChatKit/ChatKitDefines.h>
#include <UIKit/UIView.h>

// The footer of the app drawer below the entry field.
class CHATKIT_EXTERN CKBrowserSwitcherFooterView : public UIView {
    RT_OBJECT(CKBrowserSwitcherFooterView, UIView)
};
