#pragma once
#include <UIKit/UIKitDefines.h>
#include <objc/message.h>

// What a visual effect view does to the content behind it.
class UIKIT_EXTERN UIVisualEffect : public NSObject {
    RT_OBJECT(UIVisualEffect, NSObject)
};
