#pragma once
// The wallpapers behind the conversation list and the transcript.
#include "ChatWallpaper.h"
#include "ConversationListWallpaper.h"
#include "Hook.h"
#include "ThemeLookups.h"

#include <UIKit/UICollectionView.h>

namespace wallpapers {

// After the list has loaded: with its switch on, a new wallpaper of the view's
// present bounds becomes the collection view's background view.
template <class Wallpaper> void viewDidLoad(id self, SEL cmd) {
    Hook<&viewDidLoad<Wallpaper>>::previous(self, cmd);
    if (!theme::switchOn(Wallpaper::kKeys.installSwitch))
        return;
    rt::Ref<UIView> view = rt::send<rt::Ref<UIView>()>(self, rt::sel<"view">());
    rt::Ref<Wallpaper> wallpaper = rt::make<Wallpaper>();
    if (!wallpaper->initWithFrame(view ? view->bounds() : CGRectZero))
        return;
    if (rt::Ref<UICollectionView> list =
            rt::send<rt::Ref<UICollectionView>()>(self, rt::sel<"collectionView">()))
        list->setBackgroundView(wallpaper);
}

// Never masked, whatever the switches say.
inline BOOL transcriptShouldUseOpaqueMask(id, SEL) {
    return NO;
}

} // namespace wallpapers
