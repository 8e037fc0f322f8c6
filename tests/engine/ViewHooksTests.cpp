// The view replacements of the bars, context menus, conversation list and
// transcript, in-process: each scenario runs in a child (hooks last a process).
#include "ColourHex.h"
#include "InMessages.h"

#include <ChatKit/CKAttachmentBalloonView.h>
#include <ChatKit/CKBrowserSwitcherFooterView.h>
#include <ChatKit/CKColoredBalloonView.h>
#include <ChatKit/CKConversationListCollectionViewConversationCell.h>
#include <ChatKit/CKConversationListStandardCell.h>
#include <ChatKit/CKMessageEntryContentView.h>
#include <ChatKit/CKMessageEntryView.h>
#include <ChatKit/CKPinnedConversationView.h>
#include <ChatKit/CKTranscriptCollectionView.h>
#include <ChatKit/CKTranscriptLabelCell.h>
#include <ChatKit/CKTranscriptPluginBalloonView.h>
#include <UIKit/UIImageView.h>
#include <UIKit/UIKBVisualEffectView.h>
#include <UIKit/UINavigationBar.h>
#include <UIKit/UISearchBar.h>
#include <UIKit/UISwipeActionPullView.h>
#include <UIKit/UISwipeActionStandardButton.h>
#include <UIKit/UIToolbar.h>
#include <UIKit/UIWindow.h>
#include <UIKit/_UIBarBackground.h>
#include <UIKit/_UIBarBackgroundLayoutModern.h>
#include <UIKit/_UICollectionViewListSeparatorView.h>
#include <UIKit/_UIContextMenuActionView.h>
#include <UIKit/_UIContextMenuListView.h>
#include <UIKit/_UIScrollViewScrollIndicator.h>
#include <UIKit/_UISearchBarSearchFieldBackgroundView.h>
#include <substrate.h>

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

namespace {

TEST(BarHooks, AnEmptyFilePaintsEveryBarSurfaceBlack) {
    inMessages(ns::PlistDictionary{}, [](SimulatedDevice&) {
        Checks c;
        auto toolbar = rt::make<UIToolbar>();
        toolbar->setBarTintColor(UIColor::systemPinkColor());
        CHECK(c, hex(toolbar->barTintColor()) == "000000FF");
        toolbar->setBarTintColor(nullptr);
        CHECK(c, hex(toolbar->barTintColor()) == "000000FF");

        std::vector<rt::Ref<UIView>> laidOut{rt::make<CKBrowserSwitcherFooterView>(),
                                             rt::make<CKMessageEntryContentView>(),
                                             rt::make<CKTranscriptCollectionView>()};
        for (const auto& view : laidOut) {
            view->layoutSubviews();
            CHECK(c, hex(view->backgroundColor()) == "000000FF");
        }

        auto entry = rt::make<CKMessageEntryView>();
        auto background = rt::make<UIView>();
        entry->setBackgroundView(background); // no app-strip blur: that step alone does nothing
        entry->layoutSubviews();
        CHECK(c, background->alpha() == 0.0);
        CHECK(c, hex(entry->backgroundColor()) == "000000FF");
        CHECK(c, entry->shouldOpaqueBackgroundView() == YES);

        auto bar = rt::make<UINavigationBar>();
        bar->layoutSubviews();
        CHECK(c, hex(bar->barTintColor()) == "000000FF");
        CHECK(c, rt::send<BOOL()>(bar.get(), rt::sel<"_canShowBackgroundEffects">()) == NO);
        CHECK(c, hex(rt::make<_UIBarBackgroundLayoutModern>()->bg1Color()) == "000000FF");
        return c.failed;
    });
}

TEST(BarHooks, ImageViewsInABarBackgroundTakeTheBarColourAndOthersKeepTheirs) {
    inMessages(ns::PlistDictionary{{"navbarbackground", ns::PlistValue("0000FF")},
                                   {"drawer", ns::PlistValue("112233")}},
               [](SimulatedDevice&) {
                   Checks c;
                   auto background = rt::make<_UIBarBackground>();
                   auto inBar = rt::make<UIImageView>();
                   background->addSubview(inBar);
                   inBar->setBackgroundColor(UIColor::systemPinkColor());
                   CHECK(c, hex(inBar->backgroundColor()) == "0000FFFF");
                   inBar->setBackgroundColor(nullptr);
                   CHECK(c, hex(inBar->backgroundColor()) == "0000FFFF");
                   auto elsewhere = rt::make<UIImageView>();
                   rt::make<UIView>()->addSubview(elsewhere);
                   elsewhere->setBackgroundColor(UIColor::systemPinkColor());
                   CHECK(c, elsewhere->backgroundColor().get() == UIColor::systemPinkColor().get());
                   elsewhere->setBackgroundColor(nullptr);
                   CHECK(c, hex(elsewhere->backgroundColor()) == "nil");

                   auto keyboard = rt::make<UIKBVisualEffectView>();
                   keyboard->layoutSubviews();
                   CHECK(c, hex(keyboard->backgroundColor()) == "112233FF");
                   return c.failed;
               });
}

TEST(BarHooks, ColoursComeFromTheirKeysAtEveryCall) {
    inMessages(ns::PlistDictionary{{"toolbar", ns::PlistValue("FF0000")},
                                   {"entryfieldbackground", ns::PlistValue("00FF0080")},
                                   {"navbarbackground", ns::PlistValue("0000FF")}},
               [](SimulatedDevice& device) {
                   Checks c;
                   auto toolbar = rt::make<UIToolbar>();
                   toolbar->setBarTintColor(UIColor::systemPinkColor());
                   CHECK(c, hex(toolbar->barTintColor()) == "FF0000FF");
                   auto entry = rt::make<CKMessageEntryView>();
                   auto blur = rt::make<UIView>();
                   entry->setAppStripBackgroundBlurView(blur);
                   entry->layoutSubviews();
                   CHECK(c, blur->alpha() == 0.0);
                   CHECK(c, hex(entry->backgroundColor()) == "00FF0080");
                   auto bar = rt::make<UINavigationBar>();
                   bar->layoutSubviews();
                   CHECK(c, hex(bar->barTintColor()) == "0000FFFF");
                   // A change shows at the next layout pass, without a restart.
                   device.write(SimulatedDevice::target(), {{"navbarbackground", ns::PlistValue("123456")}});
                   bar->layoutSubviews();
                   CHECK(c, hex(bar->barTintColor()) == "123456FF");
                   CHECK(c, hex(toolbar->barTintColor()) == "000000FF");
                   return c.failed;
               });
}

// A list view with the levels the menu walk descends: list > F > A > X > B.
struct MenuTree {
    rt::Ref<_UIContextMenuListView> list = rt::make<_UIContextMenuListView>();
    rt::Ref<UIView> first = rt::make<UIView>(), background = rt::make<UIView>(), middle = rt::make<UIView>(),
                    backdrop = rt::make<UIView>();
    explicit MenuTree(int levels) {
        std::vector<UIView*> chain{list, first, background, middle, backdrop};
        for (int i = 0; i + 1 < levels && i + 1 < static_cast<int>(chain.size()); ++i)
            chain[i]->addSubview(chain[i + 1]);
    }
};

std::vector<UIWindow*> g_windowsSeen;
void (*g_listWillMove)(id, SEL, UIWindow*) = nullptr;
void recordWindow(id self, SEL cmd, UIWindow* window) {
    g_windowsSeen.push_back(window);
    g_listWillMove(self, cmd, window);
}

TEST(ContextMenuHooks, TheWalkColoursTwoLevelsDownAndAlwaysCallsThePlatform) {
    // The platform's own implementation, recorded under the engine's replacement.
    MSHookMessageEx(_UIContextMenuListView::classObject(), rt::sel<"willMoveToWindow:">(), &recordWindow,
                    &g_listWillMove);
    inMessages(ns::PlistDictionary{{"contextMenuBackground", ns::PlistValue("336699")}},
               [](SimulatedDevice&) {
                   Checks c;
                   auto window = rt::make<UIWindow>();
                   MenuTree full(5);
                   window->addSubview(full.list);
                   CHECK(c, hex(full.background->backgroundColor()) == "336699FF");
                   CHECK(c, hex(full.backdrop->backgroundColor()) == "336699FF");
                   CHECK(c, full.backdrop->alpha() == 0.0);
                   CHECK(c, hex(full.first->backgroundColor()) == "nil");
                   full.background->setBackgroundColor(nullptr);
                   full.list->removeFromSuperview(); // leaving the window walks too, with nil
                   CHECK(c, hex(full.background->backgroundColor()) == "336699FF");

                   for (int levels : {1, 2, 3, 4}) { // a level missing leaves the menu alone
                       MenuTree partial(levels);
                       window->addSubview(partial.list);
                       CHECK(c, hex(partial.background->backgroundColor()) == "nil");
                       CHECK(c, partial.backdrop->alpha() == 1.0);
                   }
                   CHECK(c, g_windowsSeen.size() == 6);
                   CHECK(c, g_windowsSeen[1] == nullptr && g_windowsSeen[0] == window.get());
                   return c.failed;
               });
}

TEST(ContextMenuHooks, ActionRowsTakeIconTitleAndSubtitleColours) {
    inMessages(ns::PlistDictionary{{"contextMenuIcon", ns::PlistValue("FF0000")},
                                   {"contextMenuTitle", ns::PlistValue("00FF00")}},
               [](SimulatedDevice&) {
                   Checks c;
                   auto row = rt::make<_UIContextMenuActionView>();
                   auto icon = rt::make<UIView>();
                   auto title = rt::make<UILabel>();
                   row->setTrailingImageView(icon);
                   row->setTitleLabel(title); // no subtitle: the other steps still run
                   row->layoutSubviews();
                   CHECK(c, hex(icon->tintColor()) == "FF0000FF");
                   CHECK(c, hex(title->textColor()) == "00FF00FF");
                   auto subtitle = rt::make<UILabel>();
                   row->setSubtitleLabel(subtitle);
                   row->layoutSubviews();
                   CHECK(c, hex(subtitle->textColor()) == "000000FF");
                   return c.failed;
               });
}

TEST(ListHooks, AnEmptyFilePaintsTheListBlackAndRoundsTheSearchField) {
    inMessages(ns::PlistDictionary{}, [](SimulatedDevice&) {
        Checks c;
        auto separator = rt::make<_UICollectionViewListSeparatorView>();
        separator->layoutSubviews();
        CHECK(c, hex(separator->backgroundColor()) == "000000FF" && !separator->isHidden());
        auto cell = rt::make<CKConversationListCollectionViewConversationCell>();
        cell->layoutSubviews();
        CHECK(c, hex(cell->backgroundColor()) == "000000FF");
        auto field = rt::make<_UISearchBarSearchFieldBackgroundView>();
        field->layoutSubviews();
        CHECK(c, hex(field->backgroundColor()) == "000000FF" && field->layer()->cornerRadius() == 10.0);
        auto indicator = rt::make<_UIScrollViewScrollIndicator>();
        indicator->layoutSubviews();
        CHECK(c, hex(indicator->backgroundColor()) == "000000FF");
        auto standard = rt::make<CKConversationListStandardCell>();
        standard->layoutSubviews(); // both its own row and its superclass's run
        CHECK(c, hex(standard->unreadIndicatorImageView()->tintColor()) == "000000FF");
        CHECK(c, hex(standard->chevronImageView()->tintColor()) == "000000FF");
        auto pinned = rt::make<CKPinnedConversationView>();
        pinned->setTitleLabel(rt::make<UILabel>().get());
        pinned->layoutSubviews();
        CHECK(c, hex(pinned->titleLabel()->textColor()) == "000000FF");
        auto label = rt::make<CKTranscriptLabelCell>();
        label->setAttributedText(NSAttributedString::initWithString(
            "Delivered", {{NSForegroundColorAttributeName, UIColor::systemPinkColor()}}));
        CHECK(c, label->label()->text() == "Delivered");
        CHECK(c, hex(label->label()->textColor()) == "000000FF");
        auto swipeButton = rt::make<UISwipeActionStandardButton>();
        swipeButton->layoutSubviews();
        CHECK(c, hex(swipeButton->imageView()->tintColor()) == "000000FF");
        auto pull = rt::make<UISwipeActionPullView>();
        pull->layer()->setCornerRadius(4.0);
        pull->layoutSubviews(); // switched off: the platform's corners stay
        CHECK(c, pull->layer()->cornerRadius() == 4.0 && !pull->layer()->masksToBounds());
        return c.failed;
    });
}

TEST(ListHooks, SwitchesHideSeparatorsClearCellsAndRoundSwipeActions) {
    inMessages(ns::PlistDictionary{{"enableHideConversationSeparator", ns::PlistValue(true)},
                                   {"enableTransparentConversationCell", ns::PlistValue(true)},
                                   {"enableConversationSwipeActionCorner", ns::PlistValue(true)},
                                   {"conversationCellBackground", ns::PlistValue("FF0000")}},
               [](SimulatedDevice&) {
                   Checks c;
                   auto separator = rt::make<_UICollectionViewListSeparatorView>();
                   separator->layoutSubviews();
                   CHECK(c, separator->isHidden() && hex(separator->backgroundColor()) == "nil");
                   auto cell = rt::make<CKConversationListCollectionViewConversationCell>();
                   cell->layoutSubviews();
                   CHECK(c, hex(cell->backgroundColor()) == "00000000");
                   auto pull = rt::make<UISwipeActionPullView>();
                   pull->layoutSubviews();
                   CHECK(c, pull->layer()->cornerRadius() == 13.0 && pull->layer()->masksToBounds());
                   return c.failed;
               });
}

TEST(ListHooks, BalloonsNeverUseTheOpaqueMask) {
    inMessages(ns::PlistDictionary{}, [](SimulatedDevice&) {
        Checks c;
        for (rt::Ref<CKBalloonView> balloon : {rt::Ref<CKBalloonView>(rt::make<CKColoredBalloonView>()),
                                               rt::Ref<CKBalloonView>(rt::make<CKAttachmentBalloonView>())}) {
            CHECK(c, balloon->canUseOpaqueMask() == NO);
            balloon->setCanUseOpaqueMask(YES);
            CHECK(c, balloon->canUseOpaqueMask() == NO);
        }
        CHECK(c, rt::make<CKTranscriptPluginBalloonView>()->shouldMaskWhenOpaque() == NO);
        return c.failed;
    });
}

TEST(ListHooks, TheSearchBarTintsItsIconAndColoursAPlaceholderWhenThereIsOne) {
    inMessages(ns::PlistDictionary{{"searchbarIcon", ns::PlistValue("FF0000")},
                                   {"searchbarPlaceholder", ns::PlistValue("00FF00")}},
               [](SimulatedDevice&) {
                   Checks c;
                   auto bar = rt::make<UISearchBar>();
                   auto glass = rt::make<UIView>();
                   bar->searchTextField()->setLeftView(glass);
                   bar->layoutSubviews(); // no placeholder: the icon still takes its tint
                   CHECK(c, hex(glass->tintColor()) == "FF0000FF");
                   CHECK(c, !bar->searchTextField()->attributedPlaceholder());
                   bar->setPlaceholder(std::string("Search"));
                   bar->layoutSubviews();
                   rt::Ref<NSAttributedString> placeholder = bar->searchTextField()->attributedPlaceholder();
                   CHECK(c, placeholder && placeholder->string() == "Search");
                   CHECK(c, placeholder && placeholder->attributes().size() == 1);
                   CHECK(c, placeholder && hex(rt::dynamicCast<UIColor>(placeholder->attribute(
                                               NSForegroundColorAttributeName))) == "00FF00FF");
                   return c.failed;
               });
}

TEST(ListHooks, AClassWithoutThePrivateVariableIsSkipped) {
    inMessages(ns::PlistDictionary{{"conversationChevron", ns::PlistValue("FF0000")}}, [](SimulatedDevice&) {
        Checks c;
        // A subclass of the hooked cell whose chevron variable is looked up on its own class.
        auto cell = rt::make<CKConversationListCell>();
        cell->layoutSubviews();
        CHECK(c, hex(cell->chevronImageView()->tintColor()) == "FF0000FF");
        Class bare = rt::defineClass("ViewHooksTestsBareCell", UIView::classObject(), nullptr);
        rt::Ref<UIView> other = rt::createInstance<UIView>(bare);
        other->layoutSubviews(); // not hooked, nothing happens
        CHECK(c, other->isKindOfClass(bare));
        return c.failed;
    });
}

} // namespace
