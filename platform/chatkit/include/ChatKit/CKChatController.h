#pragma once
#include <ChatKit/CKMessageEntryView.h>
#include <ChatKit/CKTranscriptCollectionViewController.h>

// A conversation on screen: its transcript, and the entry view at the bottom,
// above the keyboard while the keyboard shows.
#define CKCHATCONTROLLER_METHODS(M, O, C)                                                                    \
    O(viewDidLoad)                                                                                           \
    O(viewWillLayoutSubviews)

class CHATKIT_EXTERN CKChatController : public UIViewController {
    RT_OBJECT_WITH_CONSTRUCTOR(CKChatController, UIViewController)
    RT_METHODS(CKCHATCONTROLLER_METHODS)

    void setConversation(CKConversationRecord conversation);
    // How much of the view's bottom the keyboard covers.
    void setKeyboardHeight(CGFloat height);

    rt::Ref<CKTranscriptCollectionViewController> transcriptController() const { return m_transcript; }
    rt::Ref<CKMessageEntryView> entryView() const { return m_entryView; }

  private:
    rt::Ref<CKTranscriptCollectionViewController> m_transcript;
    rt::Ref<CKMessageEntryView> m_entryView;
    CGFloat m_keyboardHeight = 0;
};
