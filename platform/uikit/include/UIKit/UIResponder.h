#pragma once
#include <UIKit/UIKitDefines.h>

#include <vector>

class UITouch;
using UITouchSet = std::vector<rt::Ref<UITouch>>;

// Base of views, controllers and the application: the chain events and
// actions travel along.
class UIKIT_EXTERN UIResponder : public NSObject {
    RT_OBJECT(UIResponder, NSObject)

    // Runtime method "nextResponder"; nothing at the end of the chain.
    rt::Ref<UIResponder> nextResponder();

    // Runtime methods "touchesBegan:withEvent:", "touchesEnded:withEvent:" and
    // "touchesCancelled:withEvent:". A responder that does not handle touches
    // passes them to its next responder. No event object is modelled: nil.
    void touchesBegan(const UITouchSet& touches, id event);
    void touchesEnded(const UITouchSet& touches, id event);
    void touchesCancelled(const UITouchSet& touches, id event);
};
