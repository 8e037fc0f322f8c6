#include <ChatKit/CKConversationListCollectionViewController.h>

#include <ChatKit/CKUITheme.h>
#include <UIKit/UIBarButtonItem.h>
#include <UIKit/UINavigationItem.h>
#include <objc/message.h>

namespace {

// The pinned conversations, side by side in rows of three.
rt::Ref<UIView> pinnedRow(const std::vector<rt::Ref<CKPinnedConversationView>>& views, size_t first,
                          size_t count, CGFloat width) {
    rt::Ref<UIView> row = rt::make<UIView>();
    const CGFloat slot = width / CKConversationListCollectionViewController::kPinnedPerRow;
    for (size_t i = 0; i < count; ++i) {
        views[first + i]->setFrame(
            CGRectMake(slot * static_cast<CGFloat>(i), 0, slot, CKPinnedConversationView::kHeight));
        row->addSubview(views[first + i]);
    }
    return row;
}

} // namespace

RT_DEFINE_CLASS(CKConversationListCollectionViewController, [](Class cls, Class) {
    class_addMethod(
        cls, rt::sel<"viewDidLoad">(), +[](id self, SEL cmd) {
            rt::sendSuper<void()>(self, CKConversationListCollectionViewController::classObject(), cmd);
            static_cast<CKConversationListCollectionViewController*>(self)->fillList();
        });
})

void CKConversationListCollectionViewController::setConversations(
    std::vector<CKConversationRecord> conversations) {
    m_conversations = std::move(conversations);
}

void CKConversationListCollectionViewController::fillList() {
    setTitle("Messages");
    rt::Ref<UIBarButtonItem> compose = rt::make<UIBarButtonItem>();
    compose->initWithImage(UIImage::systemImageNamed("square.and.pencil"), UIBarButtonItemStylePlain, nullptr,
                           nullptr);
    navigationItem()->setRightBarButtonItem(compose);

    rt::Ref<UICollectionView> list = collectionView();
    rt::Ref<CKUITheme> theme = rt::make<CKUITheme>();
    list->setBackgroundColor(theme->conversationListBackgroundColor());
    list->setSeparatorLeadingInset(CKConversationListCell::kTextLeading);

    std::vector<UICollectionView::Item> items;
    m_searchBar = rt::make<UISearchBar>();
    m_searchBar->setPlaceholder(std::string("Search"));
    items.push_back({m_searchBar, UISearchBar::kHeight, UICollectionView::Separator::none});

    m_pinnedViews.clear();
    m_cells.clear();
    for (const CKConversationRecord& conversation : m_conversations) {
        if (conversation.pinned) {
            rt::Ref<CKPinnedConversationView> pinned = rt::make<CKPinnedConversationView>();
            pinned->setConversation(conversation);
            m_pinnedViews.push_back(pinned);
            continue;
        }
        rt::Ref<CKConversationListCollectionViewConversationCell> cell =
            rt::make<CKConversationListCollectionViewConversationCell>();
        cell->setConversation(conversation);
        m_cells.push_back(cell);
    }
    const CGFloat width = list->bounds().size.width > 0 ? list->bounds().size.width : 390;
    for (size_t first = 0; first < m_pinnedViews.size(); first += kPinnedPerRow) {
        const size_t count = std::min(kPinnedPerRow, m_pinnedViews.size() - first);
        items.push_back({pinnedRow(m_pinnedViews, first, count, width), CKPinnedConversationView::kHeight,
                         UICollectionView::Separator::none});
    }
    for (size_t i = 0; i < m_cells.size(); ++i)
        items.push_back({m_cells[i], CKConversationListCell::kHeight,
                         i + 1 < m_cells.size() ? UICollectionView::Separator::below
                                                : UICollectionView::Separator::none});
    list->setItems(std::move(items));
}
