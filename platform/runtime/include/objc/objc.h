#pragma once
// Basic types of the object runtime, as the device spells them.

#define OBJC_EXPORT __attribute__((visibility("default")))

class objc_object;
class objc_class;
struct objc_selector;
struct objc_ivar;

using id = objc_object*;
using Class = objc_class*;
using SEL = const objc_selector*;
using Ivar = const objc_ivar*;
// Implementations are stored type-erased; their real signature travels beside them.
using IMP = void (*)();
using BOOL = bool;

inline constexpr BOOL YES = true;
inline constexpr BOOL NO = false;
