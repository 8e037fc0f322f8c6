#pragma once
#include <ChatKit/CKBalloonView.h>
#include <ChatKit/CKConversationRecord.h>
#include <ChatKit/CKTranscriptCollectionView.h>
#include <ChatKit/CKTranscriptLabelCell.h>
#include <UIKit/UICollectionViewController.h>
#include <objc/message.h>

#include <vector>

// One conversation's transcript: date lines, balloons and the delivery status.
// It opens at its latest message; only the messages in view have a cell.
// Its view is a transcript collection view, whose items are made when it
// loads. "shouldUseOpaqueMask": whether balloons may draw through an opaque
// mask over this transcript (they may, unless told otherwise).
#define CKTRANSCRIPTCOLLECTIONVIEWCONTROLLER_METHODS(M, O, C)                                                \
    M(BOOL, shouldUseOpaqueMask, "shouldUseOpaqueMask", ())                                                  \
    O(loadView)                                                                                              \
    O(viewDidLoad)

class CHATKIT_EXTERN CKTranscriptCollectionViewController : public UICollectionViewController {
    RT_OBJECT(CKTranscriptCollectionViewController, UICollectionViewController)
    RT_METHODS(CKTRANSCRIPTCOLLECTIONVIEWCONTROLLER_METHODS)

  public:
    static constexpr CGFloat kTopInset = 8;
    static constexpr CGFloat kLabelHeight = 26;

    // What the transcript shows once its view loads.
    void setConversation(CKConversationRecord conversation);
    // A message's height before its cell is laid out: its text's length
    // against the balloon's width, without measuring the text.
    static CGFloat estimatedHeight(const CKMessageRecord& message, CGFloat width);

    // The balloons and label cells in view, in order.
    std::vector<rt::Ref<CKBalloonView>> balloonViews();
    std::vector<rt::Ref<CKTranscriptLabelCell>> labelCells();

  private:
    CGFloat messageHeight(size_t index, CGFloat width);
    rt::Ref<UIView> messageCell(UICollectionView* view, size_t index);

    CKConversationRecord m_conversation;
};
