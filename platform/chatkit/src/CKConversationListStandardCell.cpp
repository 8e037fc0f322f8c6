#include <ChatKit/CKConversationListStandardCell.h>

RT_DEFINE_CLASS(CKConversationListStandardCell, [](Class cls, Class) {
    class_addIvar(cls, "_unreadIndicatorImageView",
                  &CKConversationListStandardCell::m_unreadIndicatorImageView);
})

CKConversationListStandardCell::CKConversationListStandardCell(Class cls)
    : CKConversationListCell(cls), m_unreadIndicatorImageView(rt::make<UIView>()) {
    addSubview(m_unreadIndicatorImageView);
}
