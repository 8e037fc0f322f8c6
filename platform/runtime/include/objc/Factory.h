#pragma once
// The only way to build a runtime object: constructors are protected, and the
// factory hands the new object's first reference to a Ref.
#include <objc/Ref.h>
#include <objc/runtime.h>

#include <utility>

namespace rt {

struct Factory {
    template <class T, class... Args> static T* construct(Class cls, Args&&... args) {
        return new T(cls, std::forward<Args>(args)...);
    }
};

// A new instance of T's own class.
template <class T, class... Args> NewRef<T> make(Args&&... args) {
    return NewRef<T>(adopt(Factory::construct<T>(T::classObject(), std::forward<Args>(args)...)));
}

// How instances of a class are built from its Class (class_createInstance).
template <class T> id allocate(Class cls) {
    return Factory::construct<T>(cls);
}

} // namespace rt
