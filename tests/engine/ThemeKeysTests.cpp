// Every surface the theme colours shows its own key's colour. Each key gets a
// colour of its own (derived from its name, not from the engine's key table),
// so a misspelt key, class or selector shows another colour or the unset
// black. The platform's own layout paints first and the theme must still win.
#include "ColourHex.h"
#include "InMessages.h"

#include <ChatKit/CKAttachmentBalloonView.h>
#include <ChatKit/CKBrowserSwitcherFooterView.h>
#include <ChatKit/CKColoredBalloonView.h>
#include <ChatKit/CKConversationListCollectionViewConversationCell.h>
#include <ChatKit/CKConversationListEmbeddedStandardTableViewCell.h>
#include <ChatKit/CKConversationListStandardCell.h>
#include <ChatKit/CKMessageEntryContentView.h>
#include <ChatKit/CKMessageEntryView.h>
#include <ChatKit/CKPinnedConversationView.h>
#include <ChatKit/CKTranscriptCollectionView.h>
#include <ChatKit/CKTranscriptLabelCell.h>
#include <ChatKit/CKUITheme.h>
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
#include <UIKit/_UIContextMenuActionsListView.h>
#include <UIKit/_UIContextMenuCellContentView.h>
#include <UIKit/_UIContextMenuListView.h>
#include <UIKit/_UIScrollViewScrollIndicator.h>
#include <UIKit/_UISearchBarSearchFieldBackgroundView.h>
#include <objc/message.h>
#include <substrate.h>

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <set>
#include <string>
#include <utility>

namespace {

// A colour of the key's own: 24 bits of the name's FNV-1a hash.
std::string stored(const char* key) {
    std::uint32_t hash = 2166136261u;
    for (const char* p = key; *p; ++p)
        hash = (hash ^ static_cast<unsigned char>(*p)) * 16777619u;
    char text[8];
    std::snprintf(text, sizeof text, "%06X", hash & 0xFFFFFFu);
    return text;
}
std::string own(const char* key) {
    return stored(key) + "FF";
}

struct Override {
    const char* selector;
    const char* key;
};
constexpr Override kSystemColours[] = {
    {"labelColor", "primarylabel"},
    {"secondaryLabelColor", "secondarylabel"},
    {"tertiaryLabelColor", "tertiarylabel"},
    {"quaternaryLabelColor", "quaternarylabel"},
    {"linkColor", "link"},
    {"separatorColor", "separator"},
    {"systemBlueColor", "accent"},
    {"systemYellowColor", "yellow"},
    {"systemRedColor", "red"},
    {"systemIndigoColor", "indigo"},
    {"systemGreenColor", "green"},
    {"systemBackgroundColor", "primaryBackground"},
    {"systemGroupedBackgroundColor", "primaryBackground"},
    {"groupTableViewBackgroundColor", "primaryBackground"},
    {"secondarySystemBackgroundColor", "secondaryBackground"},
    {"tertiarySystemBackgroundColor", "tertiaryBackground"},
    {"secondarySystemGroupedBackgroundColor", "cell"},
    {"tableCellPlainBackgroundColor", "cell"},
    {"tableCellGroupedBackgroundColor", "cell"},
};
constexpr Override kThemeColours[] = {
    {"primaryLabelColor", "chatTitleName"},
    {"conversationListBackgroundColor", "conversationBackground"},
    {"conversationListCellColor", "conversationCellBackground"},
    {"grayTextColor", "conversationSummary"},
    {"conversationListSenderColor", "conversationName"},
    {"green_sendButtonColor", "smssendbutton"},
    {"blue_sendButtonColor", "imessagesendbutton"},
    {"blue_balloonTextColor", "imessagetext"},
    {"green_balloonTextColor", "smstext"},
    {"gray_balloonTextColor", "incomingtext"},
    {"entryFieldTextColor", "chatEntryFieldText"},
    {"messageAcknowledgmentPickerBackgroundColor", "menuReactionBackground"},
    {"messageAcknowledgmentGrayColor", "menuReactionIcon"},
    {"entryFieldPlaceholderTextColor", "chatEntryFieldTextPlaceholder"},
};
struct Balloon {
    const char* selector;
    const char* first;
    const char* second;
};
constexpr Balloon kBalloons[] = {
    {"blue_balloonColors", "imessagebubblegradient1", "imessagebubblegradient2"},
    {"gray_balloonColors", "incomingbubblegradient1", "incomingbubblegradient2"},
    {"green_balloonColors", "outgoingbubblegradient1", "outgoingbubblegradient2"},
};
constexpr const char* kViewKeys[] = {
    "toolbar",
    "drawer",
    "entryfield",
    "chatBackground",
    "entryfieldbackground",
    "navbarbackground",
    "contextMenuBackground",
    "contextMenuIcon",
    "contextMenuTitle",
    "contextMenuSubtitle",
    "conversationSeparator",
    "searchbarBackground",
    "searchbarIcon",
    "searchbarPlaceholder",
    "conversationUnreadIndicator",
    "conversationChevron",
    "conversationSwipeActionIcon",
    "conversationPinnedChatName",
    "chatDateAndStatus",
    "scrollBackground",
    "conversationCellBackground",
};

ns::PlistDictionary everyKeyItsOwnColour() {
    ns::PlistDictionary settings;
    auto add = [&](const char* key) { settings[key] = ns::PlistValue(stored(key)); };
    for (const Override& row : kSystemColours)
        add(row.key);
    for (const Override& row : kThemeColours)
        add(row.key);
    for (const Balloon& row : kBalloons) {
        add(row.first);
        add(row.second);
    }
    for (const char* key : kViewKeys)
        add(key);
    return settings;
}

TEST(ThemeKeys, EveryKeyHasAColourNoOtherKeyHas) {
    std::set<std::string> colours;
    const ns::PlistDictionary settings = everyKeyItsOwnColour();
    for (const auto& [key, value] : settings)
        colours.insert(value.stringValue());
    EXPECT_EQ(colours.size(), settings.size());
}

TEST(ThemeKeys, EveryOverriddenColourAnswersItsOwnKey) {
    inMessages(everyKeyItsOwnColour(), [](SimulatedDevice&) {
        Checks c;
        CKUITheme::classObject();
        for (const Override& row : kSystemColours) {
            rt::Ref<UIColor> answer =
                rt::send<rt::Ref<UIColor>()>(UIColor::classObject(), sel_registerName(row.selector));
            if (hex(answer.get()) != own(row.key))
                std::fprintf(stderr, "UIColor %s answers %s\n", row.selector, hex(answer.get()).c_str());
            CHECK(c, hex(answer.get()) == own(row.key));
        }
        rt::Ref<CKUITheme> theme = rt::make<CKUITheme>();
        for (const Override& row : kThemeColours) {
            rt::Ref<UIColor> answer =
                rt::send<rt::Ref<UIColor>()>(theme.get(), sel_registerName(row.selector));
            if (hex(answer.get()) != own(row.key))
                std::fprintf(stderr, "CKUITheme %s answers %s\n", row.selector, hex(answer.get()).c_str());
            CHECK(c, hex(answer.get()) == own(row.key));
        }
        for (const Balloon& row : kBalloons) {
            CKBalloonColors answer = rt::send<CKBalloonColors()>(theme.get(), sel_registerName(row.selector));
            if (answer.size() != 2 || hex(answer[0].get()) != own(row.first) ||
                hex(answer[1].get()) != own(row.second))
                std::fprintf(stderr, "CKUITheme %s differs\n", row.selector);
            CHECK(c, answer.size() == 2 && hex(answer[0].get()) == own(row.first) &&
                         hex(answer[1].get()) == own(row.second));
        }
        return c.failed;
    });
}

// The platform's layout of one hooked class, installed before the engine: it
// paints the surfaces the theme colours in pink, as a platform restyling its
// views at layout would. `Row` gives each class a slot of its own.
using Paint = void (*)(UIView*);
template <int Row> struct PlatformLayout {
    static inline void (*previous)(id, SEL) = nullptr;
    static inline Paint paint = nullptr;
    static inline int calls = 0;
    static void layout(id self, SEL cmd) {
        ++calls;
        previous(self, cmd);
        paint(static_cast<UIView*>(self));
    }
    static void install(Class cls, Paint painter) {
        paint = painter;
        MSHookMessageEx(cls, rt::sel<"layoutSubviews">(), &layout, &previous);
    }
};

rt::Ref<UIColor> pink() {
    return UIColor::colorWithRed(1.0, 0.0, 1.0, 1.0);
}
void paintBackground(UIView* view) {
    view->setBackgroundColor(pink());
}
void paintMenuRow(UIView* row) {
    if (auto icon = rt::send<rt::Ref<UIView>()>(row, rt::sel<"trailingImageView">()))
        icon->setTintColor(pink());
    for (auto name : {rt::sel<"titleLabel">(), rt::sel<"subtitleLabel">()})
        if (auto label = rt::send<rt::Ref<UILabel>()>(row, name))
            label->setTextColor(pink());
}

// Runs in the child before the engine is installed.
void platformPaintsAtLayout() {
    PlatformLayout<0>::install(UIKBVisualEffectView::classObject(), &paintBackground);
    PlatformLayout<1>::install(CKBrowserSwitcherFooterView::classObject(), &paintBackground);
    PlatformLayout<2>::install(CKMessageEntryContentView::classObject(), &paintBackground);
    PlatformLayout<3>::install(CKTranscriptCollectionView::classObject(), &paintBackground);
    PlatformLayout<4>::install(CKMessageEntryView::classObject(), [](UIView* view) {
        paintBackground(view);
        auto entry = static_cast<CKMessageEntryView*>(view);
        if (entry->backgroundView())
            entry->backgroundView()->setAlpha(1.0);
        if (entry->appStripBackgroundBlurView())
            entry->appStripBackgroundBlurView()->setAlpha(1.0);
    });
    PlatformLayout<5>::install(UINavigationBar::classObject(), [](UIView* bar) {
        rt::send<void(UIColor*)>(bar, rt::sel<"setBarTintColor:">(), pink().get());
    });
    PlatformLayout<6>::install(_UIContextMenuActionView::classObject(), &paintMenuRow);
    PlatformLayout<7>::install(_UIContextMenuCellContentView::classObject(), &paintMenuRow);
    PlatformLayout<8>::install(_UICollectionViewListSeparatorView::classObject(), &paintBackground);
    PlatformLayout<9>::install(CKConversationListCollectionViewConversationCell::classObject(),
                               &paintBackground);
    PlatformLayout<10>::install(CKConversationListEmbeddedStandardTableViewCell::classObject(),
                                &paintBackground);
    PlatformLayout<11>::install(_UISearchBarSearchFieldBackgroundView::classObject(), [](UIView* view) {
        paintBackground(view);
        view->layer()->setCornerRadius(4.0);
    });
    PlatformLayout<12>::install(UISearchBar::classObject(), [](UIView* bar) {
        if (rt::Ref<UIView> icon = static_cast<UISearchBar*>(bar)->searchTextField()->leftView())
            icon->setTintColor(pink());
    });
    // The superclass first, so the subclass's platform layout runs over it.
    PlatformLayout<14>::install(CKConversationListCell::classObject(), [](UIView* cell) {
        static_cast<CKConversationListCell*>(cell)->chevronImageView()->setTintColor(pink());
    });
    PlatformLayout<13>::install(CKConversationListStandardCell::classObject(), [](UIView* cell) {
        static_cast<CKConversationListStandardCell*>(cell)->unreadIndicatorImageView()->setTintColor(pink());
    });
    PlatformLayout<15>::install(UISwipeActionStandardButton::classObject(), [](UIView* button) {
        static_cast<UISwipeActionStandardButton*>(button)->imageView()->setTintColor(pink());
    });
    PlatformLayout<16>::install(UISwipeActionPullView::classObject(), [](UIView* pull) {
        pull->layer()->setCornerRadius(4.0);
        pull->layer()->setMasksToBounds(NO);
    });
    PlatformLayout<17>::install(CKPinnedConversationView::classObject(), [](UIView* pinned) {
        if (auto title = static_cast<CKPinnedConversationView*>(pinned)->titleLabel())
            title->setTextColor(pink());
    });
    PlatformLayout<18>::install(_UIScrollViewScrollIndicator::classObject(), &paintBackground);
}

// Every platform layout ran under the theme's: none was dropped.
template <int... Row> bool everyLayoutRan(std::integer_sequence<int, Row...>) {
    return ((PlatformLayout<Row>::calls > 0) && ...);
}

// Like inMessages, with the platform's painting layouts in place before the engine.
void inMessagesOverPlatformLayout(ns::PlistDictionary settings, int (*scenario)()) {
    EXPECT_EXIT(
        {
            SimulatedDevice device;
            device.write(SimulatedDevice::target(), settings);
            platformPaintsAtLayout();
            VantorelStartup::mainInitialiser();
            std::exit(scenario());
        },
        ::testing::ExitedWithCode(0), "");
}

TEST(ThemeKeys, EveryViewSurfaceShowsItsOwnKeyAfterThePlatformsLayout) {
    ns::PlistDictionary settings = everyKeyItsOwnColour();
    settings["enableConversationSwipeActionCorner"] = ns::PlistValue(true);
    inMessagesOverPlatformLayout(settings, [] {
        Checks c;
        auto backgroundAfterLayout = [&](rt::Ref<UIView> view, const char* key) {
            view->layoutSubviews();
            if (hex(view->backgroundColor()) != own(key))
                std::fprintf(stderr, "%s shows %s, not %s\n", class_getName(object_getClass(view.get())),
                             hex(view->backgroundColor()).c_str(), key);
            c(hex(view->backgroundColor()) == own(key), key);
        };
        backgroundAfterLayout(rt::make<UIKBVisualEffectView>(), "drawer");
        backgroundAfterLayout(rt::make<CKBrowserSwitcherFooterView>(), "drawer");
        backgroundAfterLayout(rt::make<CKMessageEntryContentView>(), "entryfield");
        backgroundAfterLayout(rt::make<CKTranscriptCollectionView>(), "chatBackground");
        backgroundAfterLayout(rt::make<_UIScrollViewScrollIndicator>(), "scrollBackground");
        backgroundAfterLayout(rt::make<_UICollectionViewListSeparatorView>(), "conversationSeparator");
        backgroundAfterLayout(rt::make<CKConversationListCollectionViewConversationCell>(),
                              "conversationCellBackground");
        backgroundAfterLayout(rt::make<CKConversationListEmbeddedStandardTableViewCell>(),
                              "conversationCellBackground");
        rt::Ref<_UISearchBarSearchFieldBackgroundView> field =
            rt::make<_UISearchBarSearchFieldBackgroundView>();
        backgroundAfterLayout(field, "searchbarBackground");
        CHECK(c, field->layer()->cornerRadius() == 10.0);

        auto entry = rt::make<CKMessageEntryView>();
        auto background = rt::make<UIView>();
        auto blur = rt::make<UIView>();
        entry->setBackgroundView(background);
        entry->setAppStripBackgroundBlurView(blur);
        backgroundAfterLayout(entry, "entryfieldbackground");
        CHECK(c, background->alpha() == 0.0 && blur->alpha() == 0.0);

        auto bar = rt::make<UINavigationBar>();
        bar->layoutSubviews();
        CHECK(c, hex(bar->barTintColor()) == own("navbarbackground"));

        auto menuRow = [&](auto row) {
            auto icon = rt::make<UIView>();
            auto title = rt::make<UILabel>();
            auto subtitle = rt::make<UILabel>();
            row->setTrailingImageView(icon);
            row->setTitleLabel(title);
            row->setSubtitleLabel(subtitle);
            row->layoutSubviews();
            CHECK(c, hex(icon->tintColor()) == own("contextMenuIcon"));
            CHECK(c, hex(title->textColor()) == own("contextMenuTitle"));
            CHECK(c, hex(subtitle->textColor()) == own("contextMenuSubtitle"));
        };
        menuRow(rt::make<_UIContextMenuActionView>());
        menuRow(rt::make<_UIContextMenuCellContentView>());

        auto search = rt::make<UISearchBar>();
        auto glass = rt::make<UIView>();
        search->searchTextField()->setLeftView(glass);
        search->setPlaceholder(std::string("Search"));
        search->layoutSubviews();
        CHECK(c, hex(glass->tintColor()) == own("searchbarIcon"));
        rt::Ref<NSAttributedString> placeholder = search->searchTextField()->attributedPlaceholder();
        CHECK(c, placeholder &&
                     hex(rt::dynamicCast<UIColor>(placeholder->attribute(NSForegroundColorAttributeName))) ==
                         own("searchbarPlaceholder"));

        auto standard = rt::make<CKConversationListStandardCell>();
        standard->layoutSubviews();
        CHECK(c,
              hex(standard->unreadIndicatorImageView()->tintColor()) == own("conversationUnreadIndicator"));
        CHECK(c, hex(standard->chevronImageView()->tintColor()) == own("conversationChevron"));

        auto swipe = rt::make<UISwipeActionStandardButton>();
        swipe->layoutSubviews();
        CHECK(c, hex(swipe->imageView()->tintColor()) == own("conversationSwipeActionIcon"));
        auto pull = rt::make<UISwipeActionPullView>();
        pull->layoutSubviews();
        CHECK(c, pull->layer()->cornerRadius() == 13.0 && pull->layer()->masksToBounds());

        auto pinned = rt::make<CKPinnedConversationView>();
        pinned->setTitleLabel(rt::make<UILabel>().get());
        pinned->layoutSubviews();
        CHECK(c, hex(pinned->titleLabel()->textColor()) == own("conversationPinnedChatName"));

        auto label = rt::make<CKTranscriptLabelCell>();
        label->setAttributedText(NSAttributedString::initWithString(
            "Read", {{NSForegroundColorAttributeName, UIColor::systemPinkColor()}}));
        CHECK(c, hex(label->label()->textColor()) == own("chatDateAndStatus"));

        auto barBackground = rt::make<_UIBarBackground>();
        auto inBar = rt::make<UIImageView>();
        barBackground->addSubview(inBar);
        inBar->setBackgroundColor(pink());
        CHECK(c, hex(inBar->backgroundColor()) == own("navbarbackground"));
        CHECK(c, hex(rt::make<_UIBarBackgroundLayoutModern>()->bg1Color()) == own("navbarbackground"));

        auto toolbar = rt::make<UIToolbar>();
        CHECK(c, hex(toolbar->barTintColor()) == own("toolbar"));
        CHECK(c, everyLayoutRan(std::make_integer_sequence<int, 19>()));
        return c.failed;
    });
}

template <class Fn> typename rt::MethodType<Fn>::Pointer platformMethod(Class cls, const char* selector) {
    return reinterpret_cast<typename rt::MethodType<Fn>::Pointer>(
        rt::findMethod(cls, sel_registerName(selector)).imp);
}

// What a setter replacement hands on is read back with the platform's own
// getter, since the theme replaces the public one too.
TEST(ThemeKeys, SubstitutedArgumentsReachThePlatform) {
    EXPECT_EXIT(
        {
            SimulatedDevice device;
            device.write(SimulatedDevice::target(), everyKeyItsOwnColour());
            auto barTint = platformMethod<rt::Ref<UIColor>()>(UIToolbar::classObject(), "barTintColor");
            auto canMask = platformMethod<BOOL()>(CKColoredBalloonView::classObject(), "canUseOpaqueMask");
            auto canMaskAttachment =
                platformMethod<BOOL()>(CKAttachmentBalloonView::classObject(), "canUseOpaqueMask");
            VantorelStartup::mainInitialiser();
            Checks c;
            auto toolbar = rt::make<UIToolbar>();
            toolbar->setBarTintColor(pink());
            CHECK(c, hex(barTint(toolbar.get(), rt::sel<"barTintColor">()).get()) == own("toolbar"));
            auto balloon = rt::make<CKColoredBalloonView>();
            balloon->setCanUseOpaqueMask(NO);
            balloon->setCanUseOpaqueMask(YES);
            CHECK(c, canMask(balloon.get(), rt::sel<"canUseOpaqueMask">()) == NO);
            auto attachment = rt::make<CKAttachmentBalloonView>();
            attachment->setCanUseOpaqueMask(NO);
            attachment->setCanUseOpaqueMask(YES);
            CHECK(c, canMaskAttachment(attachment.get(), rt::sel<"canUseOpaqueMask">()) == NO);
            std::exit(c.failed);
        },
        ::testing::ExitedWithCode(0), "");
}

// The menu's colours are in place before the platform's own willMoveToWindow:
// runs, for both list classes.
template <class List> struct SeenByPlatform {
    static inline void (*previous)(id, SEL, UIWindow*) = nullptr;
    static inline std::string background;
    static void willMove(id self, SEL cmd, UIWindow* window) {
        UIView* first = static_cast<UIView*>(self)->subviews().front().get();
        background = hex(first->subviews().front()->backgroundColor());
        previous(self, cmd, window);
    }
};

template <class List> int menuColouredBeforeThePlatformRuns() {
    rt::Ref<List> list = rt::make<List>();
    std::vector<rt::Ref<UIView>> chain{list, rt::make<UIView>(), rt::make<UIView>(), rt::make<UIView>(),
                                       rt::make<UIView>()};
    for (size_t i = 0; i + 1 < chain.size(); ++i)
        chain[i]->addSubview(chain[i + 1]);
    rt::make<UIWindow>()->addSubview(list);
    return SeenByPlatform<List>::background == own("contextMenuBackground") ? 0 : 1;
}

TEST(ThemeKeys, TheMenuIsWalkedBeforeThePlatformMovesIt) {
    EXPECT_EXIT(
        {
            SimulatedDevice device;
            device.write(SimulatedDevice::target(), everyKeyItsOwnColour());
            MSHookMessageEx(_UIContextMenuListView::classObject(), rt::sel<"willMoveToWindow:">(),
                            &SeenByPlatform<_UIContextMenuListView>::willMove,
                            &SeenByPlatform<_UIContextMenuListView>::previous);
            MSHookMessageEx(_UIContextMenuActionsListView::classObject(), rt::sel<"willMoveToWindow:">(),
                            &SeenByPlatform<_UIContextMenuActionsListView>::willMove,
                            &SeenByPlatform<_UIContextMenuActionsListView>::previous);
            VantorelStartup::mainInitialiser();
            std::exit(menuColouredBeforeThePlatformRuns<_UIContextMenuListView>() +
                      menuColouredBeforeThePlatformRuns<_UIContextMenuActionsListView>());
        },
        ::testing::ExitedWithCode(0), "");
}

} // namespace
