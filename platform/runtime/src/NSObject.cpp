#include <objc/NSObject.h>

Class NSObject::classObject() {
    static const Class cls = rt::defineClass(
        "NSObject", nullptr, [](Class c, Class) { rt::setAllocator(c, &rt::allocate<NSObject>); });
    return cls;
}

BOOL NSObject::isKindOfClass(Class cls) const {
    for (Class c = isa(); c; c = c->superclass())
        if (c == cls)
            return YES;
    return NO;
}

namespace {
// The root class exists from load on, like every other class of the library.
[[maybe_unused]] const Class registered = NSObject::classObject();
} // namespace
