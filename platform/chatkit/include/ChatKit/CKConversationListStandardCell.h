#pragma once
#include <ChatKit/CKConversationListCell.h>

// The standard conversation cell, with the unread dot at its leading edge
// (a private instance variable, shown only while the conversation is unread).
// Laying out places the cell's own content, then the dot.
#define CKCONVERSATIONLISTSTANDARDCELL_METHODS(M, O, C) O(layoutSubviews)

class CHATKIT_EXTERN CKConversationListStandardCell : public CKConversationListCell {
    RT_OBJECT_WITH_CONSTRUCTOR(CKConversationListStandardCell, CKConversationListCell)
    RT_METHODS(CKCONVERSATIONLISTSTANDARDCELL_METHODS)

    static constexpr CGFloat kUnreadSize = 10;

    void setConversation(const CKConversationRecord& conversation);
    rt::Ref<UIImageView> unreadIndicatorImageView() const { return m_unreadIndicatorImageView; }

  private:
    rt::Ref<UIImageView> m_unreadIndicatorImageView;
};
