#include <ChatKit/CKConversationListStandardCell.h>

#include <objc/message.h>

RT_DEFINE_CLASS(CKConversationListStandardCell, [](Class cls, Class) {
    class_addIvar(cls, "_unreadIndicatorImageView",
                  &CKConversationListStandardCell::m_unreadIndicatorImageView);
})

CKConversationListStandardCell::CKConversationListStandardCell(Class cls)
    : CKConversationListCell(cls), m_unreadIndicatorImageView(rt::make<UIImageView>()) {
    m_unreadIndicatorImageView->setImage(UIImage::systemImageNamed("circle.fill"));
    m_unreadIndicatorImageView->setTintColor(UIColor::systemBlueColor());
    m_unreadIndicatorImageView->setHidden(YES);
    addSubview(m_unreadIndicatorImageView);
}

void CKConversationListStandardCell::setConversation(const CKConversationRecord& conversation) {
    CKConversationListCell::setConversation(conversation);
    m_unreadIndicatorImageView->setHidden(conversation.unread ? NO : YES);
}

void CKConversationListStandardCell::layoutSubviewsImpl() {
    layoutSubviewsSuper();
    const CGFloat centre = (kAvatarLeading - kUnreadSize) / 2;
    m_unreadIndicatorImageView->setFrame(
        CGRectMake(centre, (bounds().size.height - kUnreadSize) / 2, kUnreadSize, kUnreadSize));
}
