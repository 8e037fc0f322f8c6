#pragma once
#include <substrate.h>

// One hook slot per replacement: `Hook<&replacement>::previous` holds what the
// replacement displaced, written once at installation and only read after.
template <auto Replacement> struct Hook {
    static inline decltype(Replacement) previous = nullptr;

    static void install(Class target, SEL selector) {
        MSHookMessageEx(target, selector, Replacement, &previous);
    }
};
