#pragma once
#include <ChatKit/CKAvatarView.h>
#include <ChatKit/CKConversationRecord.h>
#include <ChatKit/ChatKitDefines.h>
#include <UIKit/UILabel.h>

// A pinned conversation above the list: a large avatar and the name under it.
#define CKPINNEDCONVERSATIONVIEW_PROPERTIES(P) P(rt::Ref<UILabel>, titleLabel, setTitleLabel, {})

#define CKPINNEDCONVERSATIONVIEW_METHODS(M, O, C) O(layoutSubviews)

class CHATKIT_EXTERN CKPinnedConversationView : public UIView {
    RT_OBJECT_WITH_CONSTRUCTOR(CKPinnedConversationView, UIView)
    RT_PROPERTIES(CKPINNEDCONVERSATIONVIEW_PROPERTIES)
    RT_METHODS(CKPINNEDCONVERSATIONVIEW_METHODS)

    static constexpr CGFloat kAvatarSize = 80;
    static constexpr CGFloat kHeight = 112;

    void setConversation(const CKConversationRecord& conversation);

  private:
    rt::Ref<CKAvatarView> m_avatarView;
};
