#include <ChatKit/CKConversationListCollectionViewConversationCell.h>

#include <ChatKit/CKUITheme.h>
#include <UIKit/UISwipeActionStandardButton.h>
#include <objc/message.h>

RT_DEFINE_CLASS(CKConversationListCollectionViewConversationCell, nullptr)

CKConversationListCollectionViewConversationCell::CKConversationListCollectionViewConversationCell(Class cls)
    : UIView(cls), m_conversationCell(rt::make<CKConversationListStandardCell>()) {
    addSubview(m_conversationCell);
}

void CKConversationListCollectionViewConversationCell::setConversation(
    const CKConversationRecord& conversation) {
    m_conversationCell->setConversation(conversation);
}

void CKConversationListCollectionViewConversationCell::showSwipeActions() {
    if (m_pullView)
        return;
    m_pullView = rt::make<UISwipeActionPullView>();
    struct Action {
        const char* symbol;
        rt::Ref<UIColor> colour;
    };
    const Action actions[] = {{"pin.fill", UIColor::systemOrangeColor()},
                              {"bell.slash.fill", UIColor::systemIndigoColor()},
                              {"trash", UIColor::systemRedColor()}};
    for (const Action& action : actions)
        m_pullView->addAction(UIImage::systemImageNamed(action.symbol), action.colour);
    addSubview(m_pullView);
    setNeedsLayout();
}

void CKConversationListCollectionViewConversationCell::layoutSubviewsImpl() {
    rt::Ref<CKUITheme> theme = rt::make<CKUITheme>();
    setBackgroundColor(theme->conversationListCellColor());
    const CGRect bounds = this->bounds();
    const CGFloat open = m_pullView ? kActionWidth * static_cast<CGFloat>(m_pullView->subviews().size()) : 0;
    m_conversationCell->setFrame(CGRectMake(-open, 0, bounds.size.width, bounds.size.height));
    if (m_pullView)
        m_pullView->setFrame(CGRectMake(bounds.size.width - open, 0, open, bounds.size.height));
}
