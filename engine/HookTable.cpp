#include "HookTable.h"

#include "BarHooks.h"
#include "ColourOverrides.h"
#include "ContextMenuHooks.h"
#include "ListHooks.h"
#include "WallpaperHooks.h"

#include <cstring>

namespace {

using namespace overrides;

// The theme, in installation order.
const HookRow kHookTable[] = {
    // System and semantic colours (class methods of UIColor)
    systemColour<"labelColor", "primarylabel">(),
    systemColour<"secondaryLabelColor", "secondarylabel">(),
    systemColour<"tertiaryLabelColor", "tertiarylabel">(),
    systemColour<"quaternaryLabelColor", "quaternarylabel">(),
    systemColour<"linkColor", "link">(),
    systemColour<"separatorColor", "separator">(),
    systemColour<"systemBlueColor", "accent">(),
    systemColour<"systemYellowColor", "yellow">(),
    systemColour<"systemRedColor", "red">(),
    systemColour<"systemIndigoColor", "indigo">(),
    systemColour<"systemGreenColor", "green">(),
    systemColour<"systemBackgroundColor", "primaryBackground">(),
    systemColour<"systemGroupedBackgroundColor", "primaryBackground">(),
    systemColour<"groupTableViewBackgroundColor", "primaryBackground">(),
    systemColour<"secondarySystemBackgroundColor", "secondaryBackground">(),
    systemColour<"tertiarySystemBackgroundColor", "tertiaryBackground">(),
    systemColour<"secondarySystemGroupedBackgroundColor", "cell">(),
    systemColour<"tableCellPlainBackgroundColor", "cell">(),
    systemColour<"tableCellGroupedBackgroundColor", "cell">(),
    // Messages' theme colours (instance methods of CKUITheme)
    themeColour<"primaryLabelColor", "chatTitleName">(),
    themeColour<"conversationListBackgroundColor", "conversationBackground">(),
    themeColour<"conversationListCellColor", "conversationCellBackground">(),
    themeColour<"grayTextColor", "conversationSummary">(),
    themeColour<"conversationListSenderColor", "conversationName">(),
    themeColour<"green_sendButtonColor", "smssendbutton">(),
    themeColour<"blue_sendButtonColor", "imessagesendbutton">(),
    themeColour<"blue_balloonTextColor", "imessagetext">(),
    themeColour<"green_balloonTextColor", "smstext">(),
    themeColour<"gray_balloonTextColor", "incomingtext">(),
    themeColour<"entryFieldTextColor", "chatEntryFieldText">(),
    themeColour<"messageAcknowledgmentPickerBackgroundColor", "menuReactionBackground">(),
    themeColour<"messageAcknowledgmentGrayColor", "menuReactionIcon">(),
    themeColour<"entryFieldPlaceholderTextColor", "chatEntryFieldTextPlaceholder">(),
    themeBalloon<"blue_balloonColors", "imessagebubblegradient1", "imessagebubblegradient2">(),
    themeBalloon<"gray_balloonColors", "incomingbubblegradient1", "incomingbubblegradient2">(),
    themeBalloon<"green_balloonColors", "outgoingbubblegradient1", "outgoingbubblegradient2">(),
    // Bars, entry field and keyboard
    instanceRow<&bars::toolbarBarTintColor>("UIToolbar", "barTintColor"),
    instanceRow<&bars::toolbarSetBarTintColor>("UIToolbar", "setBarTintColor:"),
    instanceRow<&bars::backgroundAfterLayout<"UIKBVisualEffectView", "drawer">>("UIKBVisualEffectView",
                                                                                "layoutSubviews"),
    instanceRow<&bars::backgroundAfterLayout<"CKBrowserSwitcherFooterView", "drawer">>(
        "CKBrowserSwitcherFooterView", "layoutSubviews"),
    instanceRow<&bars::backgroundAfterLayout<"CKMessageEntryContentView", "entryfield">>(
        "CKMessageEntryContentView", "layoutSubviews"),
    instanceRow<&bars::backgroundAfterLayout<"CKTranscriptCollectionView", "chatBackground">>(
        "CKTranscriptCollectionView", "layoutSubviews"),
    instanceRow<&bars::entryViewLayoutSubviews>("CKMessageEntryView", "layoutSubviews"),
    instanceRow<&bars::entryViewShouldOpaqueBackgroundView>("CKMessageEntryView",
                                                            "shouldOpaqueBackgroundView"),
    instanceRow<&bars::navigationBarCanShowBackgroundEffects>("UINavigationBar", "_canShowBackgroundEffects"),
    instanceRow<&bars::navigationBarLayoutSubviews>("UINavigationBar", "layoutSubviews"),
    instanceRow<&bars::imageViewSetBackgroundColor>("UIImageView", "setBackgroundColor:"),
    instanceRow<&bars::barBackgroundLayoutBg1Color>("_UIBarBackgroundLayoutModern", "bg1Color"),
    // Context menus
    instanceRow<&menus::listWillMoveToWindow<"_UIContextMenuActionsListView">>(
        "_UIContextMenuActionsListView", "willMoveToWindow:"),
    instanceRow<&menus::listWillMoveToWindow<"_UIContextMenuListView">>("_UIContextMenuListView",
                                                                        "willMoveToWindow:"),
    instanceRow<&menus::actionRowLayoutSubviews<"_UIContextMenuActionView">>("_UIContextMenuActionView",
                                                                             "layoutSubviews"),
    instanceRow<&menus::actionRowLayoutSubviews<"_UIContextMenuCellContentView">>(
        "_UIContextMenuCellContentView", "layoutSubviews"),
    // Wallpapers
    instanceRow<&wallpapers::viewDidLoad<ConversationListWallpaper>>(
        "CKConversationListCollectionViewController", "viewDidLoad"),
    instanceRow<&wallpapers::viewDidLoad<ChatWallpaper>>("CKTranscriptCollectionViewController",
                                                         "viewDidLoad"),
    instanceRow<&wallpapers::transcriptShouldUseOpaqueMask>("CKTranscriptCollectionViewController",
                                                            "shouldUseOpaqueMask"),
    // Conversation list and transcript
    instanceRow<&lists::separatorLayoutSubviews>("_UICollectionViewListSeparatorView", "layoutSubviews"),
    instanceRow<&lists::conversationCellLayoutSubviews<"CKConversationListCollectionViewConversationCell">>(
        "CKConversationListCollectionViewConversationCell", "layoutSubviews"),
    instanceRow<&lists::conversationCellLayoutSubviews<"CKConversationListEmbeddedStandardTableViewCell">>(
        "CKConversationListEmbeddedStandardTableViewCell", "layoutSubviews"),
    instanceRow<&lists::never<"CKTranscriptPluginBalloonView">>("CKTranscriptPluginBalloonView",
                                                                "shouldMaskWhenOpaque"),
    instanceRow<&lists::never<"CKColoredBalloonView">>("CKColoredBalloonView", "canUseOpaqueMask"),
    instanceRow<&lists::setCanUseOpaqueMask<"CKColoredBalloonView">>("CKColoredBalloonView",
                                                                     "setCanUseOpaqueMask:"),
    instanceRow<&lists::never<"CKAttachmentBalloonView">>("CKAttachmentBalloonView", "canUseOpaqueMask"),
    instanceRow<&lists::setCanUseOpaqueMask<"CKAttachmentBalloonView">>("CKAttachmentBalloonView",
                                                                        "setCanUseOpaqueMask:"),
    instanceRow<&lists::searchFieldBackgroundLayoutSubviews>("_UISearchBarSearchFieldBackgroundView",
                                                             "layoutSubviews"),
    instanceRow<&lists::searchBarLayoutSubviews>("UISearchBar", "layoutSubviews"),
    instanceRow<&lists::privateImageLayoutSubviews<
        "CKConversationListStandardCell", "_unreadIndicatorImageView", "conversationUnreadIndicator">>(
        "CKConversationListStandardCell", "layoutSubviews"),
    instanceRow<&lists::privateImageLayoutSubviews<"CKConversationListCell", "_chevronImageView",
                                                   "conversationChevron">>("CKConversationListCell",
                                                                           "layoutSubviews"),
    instanceRow<&lists::swipeButtonLayoutSubviews>("UISwipeActionStandardButton", "layoutSubviews"),
    instanceRow<&lists::swipePullViewLayoutSubviews>("UISwipeActionPullView", "layoutSubviews"),
    instanceRow<&lists::pinnedConversationLayoutSubviews>("CKPinnedConversationView", "layoutSubviews"),
    instanceRow<&lists::transcriptLabelSetAttributedText>("CKTranscriptLabelCell", "setAttributedText:"),
    instanceRow<&bars::backgroundAfterLayout<"_UIScrollViewScrollIndicator", "scrollBackground">>(
        "_UIScrollViewScrollIndicator", "layoutSubviews"),
};

} // namespace

std::span<const HookRow> hookTable() {
    return kHookTable;
}

void installHooks(std::span<const HookRow> rows) {
    const char* group = nullptr;
    Class cls = nullptr;
    for (const HookRow& row : rows) {
        if (!group || std::strcmp(group, row.className) != 0) {
            group = row.className;
            cls = objc_getClass(group);
        }
        Class target = row.kind == HookKind::classMethod && cls ? object_getClass(cls) : cls;
        row.install(target, sel_registerName(row.selector));
    }
}
