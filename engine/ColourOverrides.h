#pragma once
#include "Hook.h"
#include "HookTable.h"
#include "PreferenceKeys.h"
#include "ThemeLookups.h"

#include <ChatKit/ChatKitDefines.h>
#include <objc/message.h>

// The theme's colour answers: each reads its key from the settings on every
// call and never asks the platform.
namespace overrides {

template <rt::SelectorName Key> rt::Ref<UIColor> colour() {
    constexpr ColourKey key(Key.value);
    return theme::colour(key);
}

// `Selector` only makes each row's replacement (and so its slot) its own.
template <rt::SelectorName Selector, rt::SelectorName Key> rt::Ref<UIColor> single(id, SEL) {
    return colour<Key>();
}

// A new two-colour gradient on every call: gradient1 first, gradient2 second.
template <rt::SelectorName Selector, rt::SelectorName First, rt::SelectorName Second>
CKBalloonColors balloon(id, SEL) {
    CKBalloonColors colours;
    colours.push_back(colour<First>());
    colours.push_back(colour<Second>());
    return colours;
}

template <rt::SelectorName Selector, rt::SelectorName Key> constexpr HookRow systemColour() {
    return {"UIColor", Selector.value, HookKind::classMethod, &Hook<&single<Selector, Key>>::install};
}

template <rt::SelectorName Selector, rt::SelectorName Key> constexpr HookRow themeColour() {
    return {"CKUITheme", Selector.value, HookKind::instanceMethod, &Hook<&single<Selector, Key>>::install};
}

template <rt::SelectorName Selector, rt::SelectorName First, rt::SelectorName Second>
constexpr HookRow themeBalloon() {
    return {"CKUITheme", Selector.value, HookKind::instanceMethod,
            &Hook<&balloon<Selector, First, Second>>::install};
}

} // namespace overrides
