#pragma once
#include <ChatKit/CKConversationListCollectionViewConversationCell.h>
#include <ChatKit/CKConversationRecord.h>
#include <ChatKit/CKPinnedConversationView.h>
#include <UIKit/UICollectionViewController.h>
#include <UIKit/UISearchBar.h>

#include <vector>

// The conversation list: the search bar, the pinned conversations, then one
// row per other conversation with hairlines between them. Only the rows in
// view have a cell, reused as the list scrolls. The items are made when the
// view loads.
#define CKCONVERSATIONLISTCOLLECTIONVIEWCONTROLLER_METHODS(M, O, C) O(viewDidLoad)

class CHATKIT_EXTERN CKConversationListCollectionViewController : public UICollectionViewController {
    RT_OBJECT(CKConversationListCollectionViewController, UICollectionViewController)
    RT_METHODS(CKCONVERSATIONLISTCOLLECTIONVIEWCONTROLLER_METHODS)

  public:
    static constexpr size_t kPinnedPerRow = 3;

    // What the list shows once its view loads.
    void setConversations(std::vector<CKConversationRecord> conversations);

    rt::Ref<UISearchBar> searchBar() const { return m_searchBar; }
    const std::vector<rt::Ref<CKPinnedConversationView>>& pinnedViews() const { return m_pinnedViews; }
    // The conversation cells in view, in order.
    std::vector<rt::Ref<CKConversationListCollectionViewConversationCell>> conversationCells();

  private:
    // The cell of the conversation that takes row `row`.
    rt::Ref<UIView> conversationCell(UICollectionView* view, size_t row);

    std::vector<CKConversationRecord> m_conversations;
    rt::Ref<UISearchBar> m_searchBar;
    std::vector<rt::Ref<CKPinnedConversationView>> m_pinnedViews;
    std::vector<size_t> m_rows; // the conversations that take a row, in order
};
