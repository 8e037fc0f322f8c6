#pragma once
#include <ChatKit/CKAvatarView.h>
#include <ChatKit/CKConversationRecord.h>
#include <ChatKit/ChatKitDefines.h>
#include <UIKit/UILabel.h>

// A pinned conversation above the list: a large avatar and the name under it.
#define CKPINNEDCONVERSATIONVIEW_PROPERTIES(P) P(rt::Ref<UILabel>, titleLabel, setTitleLabel, {})

class CHATKIT_EXTERN CKPinnedConversationView : public UIView {
    RT_OBJECT_WITH_CONSTRUCTOR(CKPinnedConversationView, UIView)
    RT_PROPERTIES(CKPINNEDCONVERSATIONVIEW_PROPERTIES)

    static constexpr CGFloat kAvatarSize = 80;
    static constexpr CGFloat kHeight = 112;

    void setConversation(const CKConversationRecord& conversation);

  private:
    // Runtime "layoutSubviews".
    void placeContent();

    rt::Ref<CKAvatarView> m_avatarView;
};
