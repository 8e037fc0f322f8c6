#pragma once
// Basic definitions shared by every Foundation header.
#include <objc/objc.h>

// Symbols are hidden by default; exported declarations say so.
#define FOUNDATION_EXPORT __attribute__((visibility("default")))

using NSInteger = long;
using NSUInteger = unsigned long;
