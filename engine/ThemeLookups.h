#pragma once
// What every view replacement asks of the settings: a colour or a switch,
// read afresh from the store at each call.
#include "PreferenceKeys.h"
#include "VRPrefs.h"

#include <Foundation/NSAttributedString.h>
#include <UIKit/UILabel.h>
#include <objc/message.h>

namespace theme {

// Made once: the domain is too long for a short string, so a temporary at
// every read would allocate.
inline const PreferenceStore::OptionalString& domain() {
    static const PreferenceStore::OptionalString kDomain{kPreferenceDomain};
    return kDomain;
}

// The colour of a colour key; unset keys paint the table's default.
inline rt::Ref<UIColor> colour(ColourKey key) {
    return VRPrefs::shared()->colourForKey(key.name(), key.defaultValue(), domain());
}

// A switch of the settings; unset switches answer the table's default.
inline bool switchOn(SwitchKey key) {
    return VRPrefs::shared()->boolForKey(key.name(), key.onByDefault(), domain());
}

// The receiver of a view replacement as a view; null for anything else, so a
// platform class that is no view is left alone.
inline UIView* asView(id object) {
    return rt::is<UIView>(object) ? static_cast<UIView*>(object) : nullptr;
}

// An object-valued private instance variable looked up by name on the
// object's own class; null when the class has no such variable.
inline id privateIvar(id object, const char* name) {
    Ivar ivar = class_getInstanceVariable(object_getClass(object), name);
    return ivar ? object_getIvar(object, ivar) : nullptr;
}

} // namespace theme
