#pragma once
#include <objc/NSObject.h>

#define UIKIT_EXTERN __attribute__((visibility("default")))

using CGFloat = double;
