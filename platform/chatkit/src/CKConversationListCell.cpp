#include <ChatKit/CKConversationListCell.h>

RT_DEFINE_CLASS(CKConversationListCell, [](Class cls, Class) {
    class_addIvar(cls, "_chevronImageView", &CKConversationListCell::m_chevronImageView);
})

CKConversationListCell::CKConversationListCell(Class cls)
    : UIView(cls), m_chevronImageView(rt::make<UIView>()) {
    addSubview(m_chevronImageView);
}

CKConversationListCell::~CKConversationListCell() = default;
