#include <ChatKit/CKChatController.h>

#include <objc/message.h>

#include <algorithm>

RT_DEFINE_CLASS(CKChatController, nullptr)

CKChatController::CKChatController(Class cls)
    : UIViewController(cls), m_transcript(rt::make<CKTranscriptCollectionViewController>()),
      m_entryView(rt::make<CKMessageEntryView>()) {}

void CKChatController::setConversation(CKConversationRecord conversation) {
    setTitle(conversation.name);
    m_transcript->setConversation(std::move(conversation));
}

void CKChatController::setKeyboardHeight(CGFloat height) {
    m_keyboardHeight = std::max<CGFloat>(0, height);
    if (isViewLoaded())
        view()->setNeedsLayout();
}

void CKChatController::viewDidLoadImpl() {
    viewDidLoadSuper();
    view()->addSubview(m_transcript->view());
    view()->addSubview(m_entryView);
}

void CKChatController::viewWillLayoutSubviewsImpl() {
    viewWillLayoutSubviewsSuper();
    const CGRect bounds = view()->bounds();
    const CGFloat entryTop =
        std::max<CGFloat>(0, bounds.size.height - m_keyboardHeight - CKMessageEntryView::kHeight);
    m_transcript->view()->setFrame(CGRectMake(0, 0, bounds.size.width, entryTop));
    m_entryView->setFrame(CGRectMake(0, entryTop, bounds.size.width, CKMessageEntryView::kHeight));
}
