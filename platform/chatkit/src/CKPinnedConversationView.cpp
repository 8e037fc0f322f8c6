#include <ChatKit/CKPinnedConversationView.h>

#include <UIKit/UIFont.h>
#include <objc/message.h>

RT_DEFINE_CLASS(CKPinnedConversationView, nullptr)

CKPinnedConversationView::CKPinnedConversationView(Class cls)
    : UIView(cls), m_avatarView(rt::make<CKAvatarView>()) {
    rt::Ref<UILabel> title = rt::make<UILabel>();
    title->setFont(UIFont::systemFontOfSize(13));
    title->setTextAlignment(NSTextAlignmentCenter);
    title->setTextColor(UIColor::secondaryLabelColor());
    addSubview(m_avatarView);
    addSubview(title);
    setTitleLabel(title);
}

void CKPinnedConversationView::setConversation(const CKConversationRecord& conversation) {
    m_avatarView->setName(conversation.name);
    if (rt::Ref<UILabel> title = titleLabel())
        title->setText(conversation.name);
}

void CKPinnedConversationView::layoutSubviewsImpl() {
    const CGRect bounds = this->bounds();
    m_avatarView->setFrame(CGRectMake((bounds.size.width - kAvatarSize) / 2, 6, kAvatarSize, kAvatarSize));
    if (rt::Ref<UILabel> title = titleLabel())
        title->setFrame(CGRectMake(0, 6 + kAvatarSize + 6, bounds.size.width, 16));
}
