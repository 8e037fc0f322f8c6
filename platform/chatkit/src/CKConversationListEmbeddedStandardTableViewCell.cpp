#include <ChatKit/CKConversationListEmbeddedStandardTableViewCell.h>

#include <ChatKit/CKUITheme.h>
#include <objc/message.h>

RT_DEFINE_CLASS(CKConversationListEmbeddedStandardTableViewCell, nullptr)

CKConversationListEmbeddedStandardTableViewCell::CKConversationListEmbeddedStandardTableViewCell(Class cls)
    : UIView(cls), m_conversationCell(rt::make<CKConversationListStandardCell>()) {
    addSubview(m_conversationCell);
}

void CKConversationListEmbeddedStandardTableViewCell::setConversation(
    const CKConversationRecord& conversation) {
    m_conversationCell->setConversation(conversation);
}

void CKConversationListEmbeddedStandardTableViewCell::layoutSubviewsImpl() {
    rt::Ref<CKUITheme> theme = rt::make<CKUITheme>();
    setBackgroundColor(theme->conversationListCellColor());
    m_conversationCell->setFrame(bounds());
}
