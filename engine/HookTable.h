#pragma once
#include "Hook.h"

#include <objc/objc.h>

#include <span>

enum class HookKind {
    classMethod,    // installed on the metaclass
    instanceMethod, // installed on the class itself
};

// One row of the theme: which method of which class is replaced, and how to
// install the replacement with its own typed slot.
struct HookRow {
    const char* className;
    const char* selector;
    HookKind kind;
    void (*install)(Class target, SEL selector);
};

// A row replacing an instance method; each replacement brings its own slot.
template <auto Replacement> constexpr HookRow instanceRow(const char* className, const char* selector) {
    return {className, selector, HookKind::instanceMethod, &Hook<Replacement>::install};
}

// Every row, in the order they are installed.
std::span<const HookRow> hookTable();

// Installs rows in order, looking each class up once per group of rows. A class
// this platform lacks installs nothing for its rows; the rest go on.
void installHooks(std::span<const HookRow> rows);
