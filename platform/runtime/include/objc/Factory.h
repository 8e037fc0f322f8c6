#pragma once
// The only way to build a runtime object: constructors are protected, and the
// factory hands the new object's first reference to a Ref.
#include <objc/Ref.h>
#include <objc/runtime.h>

#include <type_traits>
#include <typeinfo>
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

template <class T> const CxxType& cxxType();

// The nearest C++ base the runtime knows of: the declared superclass, or for a
// plain C++ subclass of a declared class, that class.
template <class T> const CxxType* cxxBase() {
    if constexpr (requires { typename T::Self; }) {
        if constexpr (!std::is_same_v<typename T::Self, T>)
            return &cxxType<typename T::Self>();
        else
            return &cxxType<typename T::Super>();
    } else {
        return nullptr;
    }
}

template <class T> const CxxType& cxxType() {
    static const CxxType type{typeid(T), &cxxBase<T>};
    return type;
}

template <class T> id build(Class cls) {
    return Factory::construct<T>(cls);
}

// How instances of a class are built from its Class (class_createInstance):
// rt::setAllocator(cls, &rt::allocate<T>).
template <class T> inline constexpr Allocator allocate{&build<T>, &cxxType<T>};

} // namespace rt
