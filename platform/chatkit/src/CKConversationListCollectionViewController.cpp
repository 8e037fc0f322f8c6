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

RT_DEFINE_CLASS(CKConversationListCollectionViewController, nullptr)

void CKConversationListCollectionViewController::setConversations(
    std::vector<CKConversationRecord> conversations) {
    m_conversations = std::move(conversations);
}

void CKConversationListCollectionViewController::viewDidLoadImpl() {
    viewDidLoadSuper();
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
    m_rows.clear();
    for (size_t i = 0; i < m_conversations.size(); ++i) {
        if (!m_conversations[i].pinned) {
            m_rows.push_back(i);
            continue;
        }
        rt::Ref<CKPinnedConversationView> pinned = rt::make<CKPinnedConversationView>();
        pinned->setConversation(m_conversations[i]);
        m_pinnedViews.push_back(pinned);
    }
    const CGFloat width = list->bounds().size.width > 0 ? list->bounds().size.width : 390;
    for (size_t first = 0; first < m_pinnedViews.size(); first += kPinnedPerRow) {
        const size_t count = std::min(kPinnedPerRow, m_pinnedViews.size() - first);
        items.push_back({pinnedRow(m_pinnedViews, first, count, width), CKPinnedConversationView::kHeight,
                         UICollectionView::Separator::none});
    }

    // The header rows are made up front; conversations get a cell in view.
    auto header = std::make_shared<std::vector<UICollectionView::Item>>(std::move(items));
    UICollectionView::DataSource source;
    source.count = header->size() + m_rows.size();
    source.estimatedHeight = [header](size_t index, CGFloat) {
        return index < header->size() ? (*header)[index].height : CKConversationListCell::kHeight;
    };
    source.separator = [header, rows = m_rows.size()](size_t index) {
        return index >= header->size() && index + 1 < header->size() + rows
                   ? UICollectionView::Separator::below
                   : UICollectionView::Separator::none;
    };
    source.cell = [header, conversation = weakly(this, &Self::conversationCell)](UICollectionView* view,
                                                                                 size_t index) {
        return index < header->size() ? (*header)[index].cell : conversation(view, index - header->size());
    };
    list->setDataSource(std::move(source));
}

rt::Ref<UIView> CKConversationListCollectionViewController::conversationCell(UICollectionView* view,
                                                                             size_t row) {
    rt::Ref<CKConversationListCollectionViewConversationCell> cell =
        view->dequeueReusableCell<CKConversationListCollectionViewConversationCell>("conversation");
    cell->setConversation(m_conversations[m_rows[row]]);
    return cell;
}

std::vector<rt::Ref<CKConversationListCollectionViewConversationCell>>
CKConversationListCollectionViewController::conversationCells() {
    return visibleCellsOfType<CKConversationListCollectionViewConversationCell>();
}
