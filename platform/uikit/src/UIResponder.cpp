#include <UIKit/UIResponder.h>

#include <UIKit/UITouch.h>

namespace {

using TouchMethod = void(const UITouchSet&, id);

template <rt::SelectorName Name> void passOn(id self, SEL, const UITouchSet& touches, id event) {
    if (rt::Ref<UIResponder> next = static_cast<UIResponder*>(self)->nextResponder())
        rt::send<TouchMethod>(next, rt::sel<Name>(), touches, event);
}

} // namespace

RT_DEFINE_CLASS(UIResponder, [](Class cls, Class) {
    class_addMethod(
        cls, rt::sel<"nextResponder">(), +[](id, SEL) -> rt::Ref<UIResponder> { return nullptr; });
    class_addMethod(cls, rt::sel<"touchesBegan:withEvent:">(), &passOn<"touchesBegan:withEvent:">);
    class_addMethod(cls, rt::sel<"touchesEnded:withEvent:">(), &passOn<"touchesEnded:withEvent:">);
    class_addMethod(cls, rt::sel<"touchesCancelled:withEvent:">(), &passOn<"touchesCancelled:withEvent:">);
})

rt::Ref<UIResponder> UIResponder::nextResponder() {
    return rt::send<rt::Ref<UIResponder>()>(this, rt::sel<"nextResponder">());
}

void UIResponder::touchesBegan(const UITouchSet& touches, id event) {
    rt::send<TouchMethod>(this, rt::sel<"touchesBegan:withEvent:">(), touches, event);
}
void UIResponder::touchesEnded(const UITouchSet& touches, id event) {
    rt::send<TouchMethod>(this, rt::sel<"touchesEnded:withEvent:">(), touches, event);
}
void UIResponder::touchesCancelled(const UITouchSet& touches, id event) {
    rt::send<TouchMethod>(this, rt::sel<"touchesCancelled:withEvent:">(), touches, event);
}
