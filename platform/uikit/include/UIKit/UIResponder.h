#pragma once
#include <UIKit/UIKitDefines.h>

#include <vector>

class UITouch;
using UITouchSet = std::vector<rt::Ref<UITouch>>;

// Base of views, controllers and the application: the chain events and
// actions travel along. "nextResponder" answers nothing at the end of the
// chain. A responder that does not handle touches passes them to its next
// responder. No event object is modelled: nil.
#define UIRESPONDER_METHODS(M, O, C)                                                                         \
    M(rt::Ref<UIResponder>, nextResponder, "nextResponder", ())                                              \
    M(void, touchesBegan, "touchesBegan:withEvent:", (const UITouchSet&, id))                                \
    M(void, touchesEnded, "touchesEnded:withEvent:", (const UITouchSet&, id))                                \
    M(void, touchesCancelled, "touchesCancelled:withEvent:", (const UITouchSet&, id))

class UIKIT_EXTERN UIResponder : public NSObject {
    RT_OBJECT(UIResponder, NSObject)
    RT_METHODS(UIRESPONDER_METHODS)
};
