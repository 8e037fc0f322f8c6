#pragma once
#include <ChatKit/CKBalloonView.h>
#include <ChatKit/CKConversationRecord.h>
#include <ChatKit/CKTranscriptCollectionView.h>
#include <ChatKit/CKTranscriptLabelCell.h>
#include <UIKit/UICollectionViewController.h>
#include <objc/message.h>

#include <vector>

// One conversation's transcript: date lines, balloons and the delivery status.
class CHATKIT_EXTERN CKTranscriptCollectionViewController : public UICollectionViewController {
    RT_OBJECT(CKTranscriptCollectionViewController, UICollectionViewController)

    static constexpr CGFloat kTopInset = 8;
    static constexpr CGFloat kLabelHeight = 26;

    // What the transcript shows once its view loads.
    void setConversation(CKConversationRecord conversation);
    // Runtime method "shouldUseOpaqueMask": whether balloons may draw through
    // an opaque mask over this transcript (they may, unless told otherwise).
    BOOL shouldUseOpaqueMask() { return rt::send<BOOL()>(this, rt::sel<"shouldUseOpaqueMask">()); }
    // Re-reads the balloons' sizes for the view's current width.
    void updateItemHeights();

    const std::vector<rt::Ref<CKBalloonView>>& balloonViews() const { return m_balloons; }
    const std::vector<rt::Ref<CKTranscriptLabelCell>>& labelCells() const { return m_labelCells; }

  private:
    // Runtime "loadView" (a transcript collection view) and "viewDidLoad" (its items).
    void fillTranscript();

    CKConversationRecord m_conversation;
    std::vector<rt::Ref<CKBalloonView>> m_balloons;
    std::vector<rt::Ref<CKTranscriptLabelCell>> m_labelCells;
};
