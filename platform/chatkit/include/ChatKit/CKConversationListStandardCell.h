#pragma once
#include <ChatKit/CKConversationListCell.h>

// The standard conversation cell, with the unread dot at its leading edge.
class CHATKIT_EXTERN CKConversationListStandardCell : public CKConversationListCell {
    RT_OBJECT_WITH_CONSTRUCTOR(CKConversationListStandardCell, CKConversationListCell)

    rt::Ref<UIView> unreadIndicatorImageView() const { return m_unreadIndicatorImageView; }

  private:
    rt::Ref<UIView> m_unreadIndicatorImageView;
};
