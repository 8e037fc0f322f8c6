#pragma once
#include <ChatKit/CKConversationListStandardCell.h>

// One conversation in the search results list, hosting a standard cell.
#define CKCONVERSATIONLISTEMBEDDEDSTANDARDTABLEVIEWCELL_METHODS(M, O, C) O(layoutSubviews)

class CHATKIT_EXTERN CKConversationListEmbeddedStandardTableViewCell : public UIView {
    RT_OBJECT_WITH_CONSTRUCTOR(CKConversationListEmbeddedStandardTableViewCell, UIView)
    RT_METHODS(CKCONVERSATIONLISTEMBEDDEDSTANDARDTABLEVIEWCELL_METHODS)

    void setConversation(const CKConversationRecord& conversation);
    rt::Ref<CKConversationListStandardCell> conversationCell() const { return m_conversationCell; }

  private:
    rt::Ref<CKConversationListStandardCell> m_conversationCell;
};
