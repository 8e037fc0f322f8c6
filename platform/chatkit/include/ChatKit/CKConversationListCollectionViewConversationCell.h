#pragma once
#include <ChatKit/CKConversationListStandardCell.h>
#include <UIKit/UISwipeActionPullView.h>

// The list cell that hosts one conversation's cell view. Swiped open, the
// content slides towards the leading edge and the actions show behind it.
#define CKCONVERSATIONLISTCOLLECTIONVIEWCONVERSATIONCELL_METHODS(M, O, C) O(layoutSubviews)

class CHATKIT_EXTERN CKConversationListCollectionViewConversationCell : public UIView {
    RT_OBJECT_WITH_CONSTRUCTOR(CKConversationListCollectionViewConversationCell, UIView)
    RT_METHODS(CKCONVERSATIONLISTCOLLECTIONVIEWCONVERSATIONCELL_METHODS)

    static constexpr CGFloat kActionWidth = 74;

    void setConversation(const CKConversationRecord& conversation);
    rt::Ref<CKConversationListStandardCell> conversationCell() const { return m_conversationCell; }

    // Opens the trailing actions: pin, alerts, delete.
    void showSwipeActions();
    rt::Ref<UISwipeActionPullView> swipeActionPullView() const { return m_pullView; }

  private:
    rt::Ref<CKConversationListStandardCell> m_conversationCell;
    rt::Ref<UISwipeActionPullView> m_pullView;
};
