#pragma once
#include <UIKit/UIKitDefines.h>

// Base of views, controllers and the application: the chain events and
// actions travel along.
class UIKIT_EXTERN UIResponder : public NSObject {
    RT_OBJECT(UIResponder, NSObject)

    // Runtime method "nextResponder"; nothing at the end of the chain.
    rt::Ref<UIResponder> nextResponder();
};
