#pragma once
#include <ChatKit/ChatKitDefines.h>
#include <UIKit/UILabel.h>

// A pinned conversation above the list: its avatar and name.
#define CKPINNEDCONVERSATIONVIEW_PROPERTIES(P) P(rt::Ref<UILabel>, titleLabel, setTitleLabel, {})

class CHATKIT_EXTERN CKPinnedConversationView : public UIView {
    RT_OBJECT(CKPinnedConversationView, UIView)
    RT_PROPERTIES(CKPINNEDCONVERSATIONVIEW_PROPERTIES)
};
