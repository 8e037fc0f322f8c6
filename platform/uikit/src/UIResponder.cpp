#include <UIKit/UIResponder.h>

RT_DEFINE_CLASS(UIResponder, [](Class cls, Class) {
    class_addMethod(
        cls, rt::sel<"nextResponder">(), +[](id, SEL) -> rt::Ref<UIResponder> { return nullptr; });
})

rt::Ref<UIResponder> UIResponder::nextResponder() {
    return rt::send<rt::Ref<UIResponder>()>(this, rt::sel<"nextResponder">());
}
