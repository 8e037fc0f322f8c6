#pragma once
#include <ChatKit/ChatKitDefines.h>
#include <UIKit/UIView.h>

// The entry field itself: the text view and its placeholder.
class CHATKIT_EXTERN CKMessageEntryContentView : public UIView {
    RT_OBJECT(CKMessageEntryContentView, UIView)
};
