#pragma once
#include <ChatKit/CKConversationListStandardCell.h>

// One conversation in the search results list, hosting a standard cell.
class CHATKIT_EXTERN CKConversationListEmbeddedStandardTableViewCell : public UIView {
    RT_OBJECT_WITH_CONSTRUCTOR(CKConversationListEmbeddedStandardTableViewCell, UIView)

    void setConversation(const CKConversationRecord& conversation);
    rt::Ref<CKConversationListStandardCell> conversationCell() const { return m_conversationCell; }

  private:
    // Runtime "layoutSubviews".
    void placeContent();

    rt::Ref<CKConversationListStandardCell> m_conversationCell;
};
