#pragma once
// A layout pass reads the theme file's stamp once: every colour asked for
// while the outermost layoutIfNeeded runs is answered from that one check.
#include "Hook.h"

#include "PreferenceCache.h"

#include <objc/runtime.h>

namespace passes {

inline void layoutIfNeeded(id self, SEL cmd) {
    PreferenceCache::Pass pass;
    Hook<&layoutIfNeeded>::previous(self, cmd);
}

} // namespace passes
