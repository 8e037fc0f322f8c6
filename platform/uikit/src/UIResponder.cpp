#include <UIKit/UIResponder.h>

#include <UIKit/UITouch.h>

RT_DEFINE_CLASS(UIResponder, nullptr)

rt::Ref<UIResponder> UIResponder::nextResponderImpl() {
    return nullptr;
}

void UIResponder::touchesBeganImpl(const UITouchSet& touches, id event) {
    if (rt::Ref<UIResponder> next = nextResponder())
        next->touchesBegan(touches, event);
}
void UIResponder::touchesEndedImpl(const UITouchSet& touches, id event) {
    if (rt::Ref<UIResponder> next = nextResponder())
        next->touchesEnded(touches, event);
}
void UIResponder::touchesCancelledImpl(const UITouchSet& touches, id event) {
    if (rt::Ref<UIResponder> next = nextResponder())
        next->touchesCancelled(touches, event);
}
