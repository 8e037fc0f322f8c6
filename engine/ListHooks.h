#pragma once
// The conversation list (separators, cells, unread dots, chevrons, pinned
// names, swipe actions), the search bar, the scroll indicator, the
// transcript's date and status lines, and the balloons' opaque mask.
#include "Hook.h"
#include "ThemeLookups.h"

#include <UIKit/UIImageView.h>
#include <UIKit/UISearchBar.h>

namespace lists {

using theme::asView;
using theme::colour;
using theme::privateIvar;
using theme::switchOn;

inline void separatorLayoutSubviews(id self, SEL cmd) {
    Hook<&separatorLayoutSubviews>::previous(self, cmd);
    UIView* separator = asView(self);
    if (!separator)
        return;
    if (switchOn("enableHideConversationSeparator"))
        separator->setHidden(YES);
    else
        separator->setBackgroundColor(colour("conversationSeparator"));
}

template <rt::SelectorName ClassName> void conversationCellLayoutSubviews(id self, SEL cmd) {
    Hook<&conversationCellLayoutSubviews<ClassName>>::previous(self, cmd);
    UIView* cell = asView(self);
    if (!cell)
        return;
    if (switchOn("enableTransparentConversationCell"))
        cell->setBackgroundColor(UIColor::clearColor());
    else
        cell->setBackgroundColor(colour("conversationCellBackground"));
}

template <rt::SelectorName ClassName> BOOL never(id, SEL) {
    return NO;
}

// The balloon is never told it may use the opaque mask.
template <rt::SelectorName ClassName> void setCanUseOpaqueMask(id self, SEL cmd, BOOL) {
    Hook<&setCanUseOpaqueMask<ClassName>>::previous(self, cmd, NO);
}

inline void searchFieldBackgroundLayoutSubviews(id self, SEL cmd) {
    Hook<&searchFieldBackgroundLayoutSubviews>::previous(self, cmd);
    if (UIView* background = asView(self)) {
        background->setBackgroundColor(colour("searchbarBackground"));
        background->layer()->setCornerRadius(10.0);
    }
}

inline void searchBarLayoutSubviews(id self, SEL cmd) {
    Hook<&searchBarLayoutSubviews>::previous(self, cmd);
    rt::Ref<UISearchTextField> field =
        rt::send<rt::Ref<UISearchTextField>()>(self, rt::sel<"searchTextField">());
    if (!field)
        return;
    if (rt::Ref<UIView> icon = field->leftView())
        icon->setTintColor(colour("searchbarIcon"));
    std::optional<std::string> placeholder =
        rt::send<std::optional<std::string>()>(self, rt::sel<"placeholder">());
    if (!placeholder)
        return;
    rt::Ref<NSObject> tint = colour("searchbarPlaceholder");
    field->setAttributedPlaceholder(
        NSAttributedString::initWithString(*placeholder, {{NSForegroundColorAttributeName, tint}}));
}

// Tints the image view a private instance variable holds, when the class has it.
template <rt::SelectorName ClassName, rt::SelectorName IvarName, rt::SelectorName Key>
void privateImageLayoutSubviews(id self, SEL cmd) {
    Hook<&privateImageLayoutSubviews<ClassName, IvarName, Key>>::previous(self, cmd);
    if (UIView* image = asView(privateIvar(self, IvarName.value)))
        image->setTintColor(colour(Key.value));
}

inline void transcriptLabelSetAttributedText(id self, SEL cmd, NSAttributedString* text) {
    Hook<&transcriptLabelSetAttributedText>::previous(self, cmd, text);
    if (id label = privateIvar(self, "_label"); rt::is<UILabel>(label))
        static_cast<UILabel*>(label)->setTextColor(colour("chatDateAndStatus"));
}

inline void swipeButtonLayoutSubviews(id self, SEL cmd) {
    Hook<&swipeButtonLayoutSubviews>::previous(self, cmd);
    if (rt::Ref<UIImageView> image = rt::send<rt::Ref<UIImageView>()>(self, rt::sel<"imageView">()))
        image->setTintColor(colour("conversationSwipeActionIcon"));
}

// Rounded only when switched on; off, the platform's own corners stay.
inline void swipePullViewLayoutSubviews(id self, SEL cmd) {
    Hook<&swipePullViewLayoutSubviews>::previous(self, cmd);
    UIView* pullView = asView(self);
    if (!pullView || !switchOn("enableConversationSwipeActionCorner"))
        return;
    pullView->layer()->setCornerRadius(13.0);
    pullView->layer()->setMasksToBounds(YES);
}

inline void pinnedConversationLayoutSubviews(id self, SEL cmd) {
    Hook<&pinnedConversationLayoutSubviews>::previous(self, cmd);
    if (rt::Ref<UILabel> title = rt::send<rt::Ref<UILabel>()>(self, rt::sel<"titleLabel">()))
        title->setTextColor(colour("conversationPinnedChatName"));
}

} // namespace lists
