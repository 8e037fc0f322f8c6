#pragma once
// Checked conversions from a general object to a more specific one. A downcast
// holds only when the runtime class is of the kind and the C++ object really
// is a T (a runtime subclass built by an ancestor's allocator is not).
#include <objc/Factory.h>

#include <string>

namespace rt {

template <class T> bool is(const objc_object* object) {
    return object && object->isa() && rt::isSubclass(object->isa(), T::classObject()) &&
           dynamic_cast<const T*>(object) != nullptr;
}

// The object as a T, or null when it is none.
template <class T> Ref<T> dynamicCast(objc_object* object) {
    return is<T>(object) ? Ref<T>(static_cast<T*>(object)) : nullptr;
}
template <class T, class U> Ref<T> dynamicCast(const Ref<U>& object) {
    return dynamicCast<T>(static_cast<objc_object*>(object.get()));
}

// The object as a T; anything else stops the process naming both classes.
template <class T> Ref<T> verifyCast(objc_object* object) {
    if (object && !is<T>(object))
        fatal(std::string(class_getName(object->isa())) + " is not a " + class_getName(T::classObject()));
    return Ref<T>(static_cast<T*>(object));
}
template <class T, class U> Ref<T> verifyCast(const Ref<U>& object) {
    return verifyCast<T>(static_cast<objc_object*>(object.get()));
}

// A new instance of `cls` as a T: null when the class is null, has no
// allocator, or is not a kind of T (the instance is then released at once).
template <class T> Ref<T> createInstance(Class cls) {
    Ref<objc_object> made = adopt(class_createInstance(cls));
    return dynamicCast<T>(made.get());
}

} // namespace rt
