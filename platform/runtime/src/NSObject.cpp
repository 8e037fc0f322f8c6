#include <objc/NSObject.h>

#include <objc/Factory.h>

Class NSObject::classObject() {
    static const Class cls = rt::defineClass("NSObject", nullptr, [](Class c, Class) {
        rt::setCxxType(c, rt::cxxType<NSObject>());
        rt::setAllocator(c, &rt::allocate<NSObject>);
    });
    return cls;
}

BOOL NSObject::isKindOfClass(Class cls) const {
    return rt::isSubclass(isa(), cls);
}

namespace {
// The root class exists from load on, like every other class of the library.
[[maybe_unused]] const Class registered = NSObject::classObject();
} // namespace
