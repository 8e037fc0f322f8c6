#include <UIKit/UIResponder.h>

#include <objc/message.h>

namespace {

rt::Ref<UIResponder> nextResponder(id, SEL) {
    return nullptr;
}

[[maybe_unused]] const Class registered = UIResponder::classObject();

} // namespace

Class UIResponder::classObject() {
    static const Class cls = rt::defineClass("UIResponder", NSObject::classObject(), [](Class c, Class) {
        class_addMethod(c, rt::sel<"nextResponder">(), &::nextResponder);
        rt::setAllocator(c, &rt::allocate<UIResponder>);
    });
    return cls;
}

rt::Ref<UIResponder> UIResponder::nextResponder() {
    return rt::send<rt::Ref<UIResponder>()>(this, rt::sel<"nextResponder">());
}
