#include "MessagesScreen.h"

#include "ContextMenu.h"
#include "Keyboard.h"
#include "SystemViews.h"

#include <ChatKit/CKColoredBalloonView.h>
#include <ChatKit/CKConversationListEmbeddedStandardTableViewCell.h>
#include <ChatKit/CKUITheme.h>
#include <UIKit/UIBarButtonItem.h>
#include <UIKit/UIBlurEffect.h>
#include <UIKit/UIFont.h>
#include <UIKit/UIImageView.h>
#include <UIKit/UIVisualEffectView.h>
#include <dispatch/queue.h>

#include <algorithm>
#include <memory>
#include <utility>

namespace messages {

namespace {

constexpr CGFloat kTop = UINavigationBar::kStatusBarHeight;

// The first conversation with a transcript, else the first one, else an empty one.
CKConversationRecord conversationToOpen(const std::vector<CKConversationRecord>& conversations) {
    for (const CKConversationRecord& conversation : conversations)
        if (!conversation.messages.empty())
            return conversation;
    return conversations.empty() ? CKConversationRecord{} : conversations.front();
}

// Pending layout is committed by a turn of the main run loop, as on the phone,
// never by asking the window: the run loop's observers see every pass.
void commitLayout() {
    ns::DispatchRuntime::runOneTurn();
}

size_t markForLayout(UIView* view) {
    view->setNeedsLayout();
    size_t count = 1;
    for (const rt::Ref<UIView>& subview : view->subviews())
        count += markForLayout(subview);
    return count;
}

// The reactions above a pressed balloon: a heart among the others.
rt::Ref<UIView> reactionPicker(CGPoint origin) {
    rt::Ref<CKUITheme> theme = rt::make<CKUITheme>();
    rt::Ref<UIView> picker = rt::make<UIView>();
    picker->setFrame(CGRectMake(origin.x, origin.y, 250, 44));
    picker->setBackgroundColor(theme->messageAcknowledgmentPickerBackgroundColor());
    picker->layer()->setCornerRadius(22);
    const char* reactions[] = {"heart", "+1", "-1", "HA", "!!", "?"};
    for (size_t i = 0; i < std::size(reactions); ++i) {
        const CGRect slot = CGRectMake(10 + 39 * static_cast<CGFloat>(i), 7, 30, 30);
        if (i == 0) {
            rt::Ref<UIImageView> heart = rt::make<UIImageView>();
            heart->setImage(UIImage::systemImageNamed(reactions[i]));
            heart->setTintColor(theme->messageAcknowledgmentGrayColor());
            heart->setFrame(CGRectMake(slot.origin.x + 4, slot.origin.y + 4, 22, 22));
            picker->addSubview(heart);
            continue;
        }
        rt::Ref<UILabel> label = rt::make<UILabel>();
        label->setText(reactions[i]);
        label->setFont(UIFont::systemFontOfSize(15, UIFontWeightBold));
        label->setTextAlignment(NSTextAlignmentCenter);
        label->setTextColor(theme->messageAcknowledgmentGrayColor());
        label->setFrame(slot);
        picker->addSubview(label);
    }
    return picker;
}

} // namespace

std::optional<MessagesScreen::Kind> MessagesScreen::kindNamed(const std::string& name) {
    if (name == "list")
        return Kind::list;
    if (name == "search")
        return Kind::search;
    if (name == "swipe")
        return Kind::swipe;
    if (name == "chat")
        return Kind::chat;
    if (name == "menu")
        return Kind::menu;
    return std::nullopt;
}

MessagesScreen::MessagesScreen(Kind kind, std::vector<CKConversationRecord> conversations,
                               std::optional<CGFloat> scroll)
    : m_window(rt::make<UIWindow>()) {
    m_window->setFrame(CGRectMake(0, 0, kWidth, kHeight));
    m_window->setBackgroundColor(UIColor::systemBackgroundColor());
    switch (kind) {
    case Kind::list:
        showList(std::move(conversations));
        break;
    case Kind::swipe:
        showList(std::move(conversations));
        commitLayout(); // the cells in view exist once laid out
        if (auto cells = m_list->conversationCells(); !cells.empty())
            cells.front()->showSwipeActions();
        break;
    case Kind::search:
        showSearch(std::move(conversations));
        break;
    case Kind::chat:
        showChat(std::move(conversations), true);
        break;
    case Kind::menu:
        showChat(std::move(conversations), false);
        showMenu();
        break;
    }
    if (scroll && scrolls(kind)) {
        rt::Ref<UICollectionView> scrolled = kind == Kind::search ? m_results
                                             : kind == Kind::chat
                                                 ? m_chat->transcriptController()->collectionView()
                                                 : m_list->collectionView();
        scrolled->setContentOffset(CGPointMake(0, *scroll));
    }
    hosts::SystemViews::addTo(m_window);
    commitLayout();
}

size_t MessagesScreen::layOutEverything() {
    const size_t count = markForLayout(m_window);
    commitLayout();
    return count;
}

void MessagesScreen::showList(std::vector<CKConversationRecord> conversations) {
    m_list = rt::make<CKConversationListCollectionViewController>();
    m_list->setConversations(std::move(conversations));
    m_stack = rt::make<UINavigationController>();
    m_stack->initWithRootViewController(m_list);
    m_stack->navigationBar()->setPrefersLargeTitles(YES);
    m_window->setRootViewController(m_stack);
    m_window->makeKeyAndVisible();
    // The toolbar of the list's edit mode, hidden until the list is edited.
    m_toolbar = rt::make<UIToolbar>();
    m_toolbar->setBarTintColor(nullptr);
    m_toolbar->setFrame(CGRectMake(0, kHeight - 83, kWidth, 83));
    m_toolbar->setHidden(YES);
    m_window->addSubview(m_toolbar);
}

void MessagesScreen::showSearch(std::vector<CKConversationRecord> conversations) {
    auto searched = std::make_shared<std::vector<CKConversationRecord>>(conversations);
    showList(std::move(conversations));
    // Searching: the bar gives way to the search field, results fill the rest.
    rt::Ref<CKUITheme> theme = rt::make<CKUITheme>();
    rt::Ref<UIView> results = rt::make<UIView>();
    results->setFrame(CGRectMake(0, 0, kWidth, kHeight));
    results->setBackgroundColor(theme->conversationListBackgroundColor());
    rt::Ref<UISearchBar> searchBar = rt::make<UISearchBar>();
    searchBar->setPlaceholder(std::string("Search"));
    searchBar->setFrame(CGRectMake(0, kTop, kWidth, UISearchBar::kHeight));
    results->addSubview(searchBar);

    rt::Ref<UILabel> heading = rt::make<UILabel>();
    heading->setText("Conversations");
    heading->setFont(UIFont::systemFontOfSize(20, UIFontWeightBold));
    heading->setFrame(CGRectMake(16, kTop + UISearchBar::kHeight + 8, kWidth - 32, 28));
    results->addSubview(heading);

    rt::Ref<UICollectionView> list = rt::make<UICollectionView>();
    const CGFloat top = kTop + UISearchBar::kHeight + 44;
    list->setFrame(CGRectMake(0, top, kWidth, kHeight - top));
    list->setSeparatorLeadingInset(CKConversationListCell::kTextLeading);
    UICollectionView::DataSource source;
    source.count = searched->size();
    source.estimatedHeight = [](size_t, CGFloat) { return CKConversationListCell::kHeight; };
    source.separator = [count = searched->size()](size_t index) {
        return index + 1 < count ? UICollectionView::Separator::below : UICollectionView::Separator::none;
    };
    source.cell = [searched](UICollectionView* view, size_t index) -> rt::Ref<UIView> {
        rt::Ref<CKConversationListEmbeddedStandardTableViewCell> cell =
            view->dequeueReusableCell<CKConversationListEmbeddedStandardTableViewCell>("result");
        cell->setConversation((*searched)[index]);
        return cell;
    };
    list->setDataSource(std::move(source));
    m_results = list;
    results->addSubview(list);
    m_window->addSubview(results);
}

void MessagesScreen::showChat(std::vector<CKConversationRecord> conversations, bool keyboard) {
    CKConversationRecord opened = conversationToOpen(conversations);
    showList(std::move(conversations));
    m_stack->navigationBar()->setPrefersLargeTitles(NO);
    m_chat = rt::make<CKChatController>();
    m_chat->setConversation(std::move(opened));
    m_chat->setKeyboardHeight(keyboard ? Keyboard::kHeight : 34);
    m_stack->pushViewController(m_chat, NO);
    if (keyboard) {
        rt::Ref<UIKBVisualEffectView> keys = Keyboard::make(kWidth);
        keys->setFrame(CGRectMake(0, kHeight - Keyboard::kHeight, kWidth, Keyboard::kHeight));
        m_window->addSubview(keys);
    }
}

void MessagesScreen::showMenu() {
    commitLayout();
    // The pressed balloon: the last text balloon received, lifted above a blur.
    rt::Ref<CKColoredBalloonView> pressed;
    for (const rt::Ref<CKBalloonView>& balloon : m_chat->transcriptController()->balloonViews())
        if (auto coloured = rt::dynamicCast<CKColoredBalloonView>(balloon))
            pressed = coloured;
    rt::Ref<UIVisualEffectView> dimming = rt::make<UIVisualEffectView>();
    dimming->setEffect(UIBlurEffect::effectWithStyle(UIBlurEffectStyleSystemUltraThinMaterial));
    dimming->setFrame(CGRectMake(0, 0, kWidth, kHeight));
    m_window->addSubview(dimming);

    CGFloat menuTop = 300;
    CGFloat menuLeft = 12;
    if (pressed) {
        CGRect frame = pressed->frame();
        for (rt::Ref<UIView> above = pressed->superview(); above && above.get() != m_window.get();
             above = above->superview())
            frame.origin.x += above->frame().origin.x, frame.origin.y += above->frame().origin.y;
        frame.origin.y = std::clamp<CGFloat>(frame.origin.y, 200, 420);
        rt::Ref<CKColoredBalloonView> lifted = rt::make<CKColoredBalloonView>();
        lifted->setMessage(pressed->textLabel()->text(), pressed->balloonColors(),
                           pressed->textLabel()->textColor());
        lifted->setGradientSpan(m_chat->transcriptController()->view());
        lifted->setFrame(frame);
        m_window->addSubview(reactionPicker(CGPointMake(frame.origin.x, frame.origin.y - 54)));
        m_window->addSubview(lifted);
        menuTop = frame.origin.y + frame.size.height + 10;
        menuLeft = std::min<CGFloat>(frame.origin.x, kWidth - ContextMenu::kWidth - 12);
    }
    m_window->addSubview(ContextMenu::make(CGPointMake(menuLeft, menuTop)));
}

} // namespace messages
