#pragma once
// Class, selector, method and instance-variable calls of the runtime.
#include <objc/Ref.h>
#include <objc/objc_class.h>

#include <string_view>
#include <typeinfo>
#include <vector>

OBJC_EXPORT SEL sel_registerName(std::string_view name);
OBJC_EXPORT const char* sel_getName(SEL sel);

// Null for a class this process does not have (what the engine uses).
OBJC_EXPORT Class objc_getClass(const char* name);
// Stops the process, naming the class, when it is missing (host start-up).
OBJC_EXPORT Class objc_getRequiredClass(const char* name);
OBJC_EXPORT Class object_getClass(id object);
OBJC_EXPORT const char* class_getName(Class cls);
OBJC_EXPORT Class class_getSuperclass(Class cls);
OBJC_EXPORT BOOL class_isMetaClass(Class cls);
OBJC_EXPORT BOOL class_respondsToSelector(Class cls, SEL sel);

// A new class and its metaclass, not yet visible by name.
OBJC_EXPORT Class objc_allocateClassPair(Class superclass, const char* name);
// Makes the class visible by name; refuses a name that is already taken.
OBJC_EXPORT BOOL objc_registerClassPair(Class cls);
// Frees a pair that was never registered.
OBJC_EXPORT void objc_disposeClassPair(Class cls);

// A new instance of `cls`, built by the nearest allocator up the class chain;
// null when there is none. The caller owns the one reference it starts with:
// rt::createInstance<T> adopts it and checks the kind.
[[nodiscard]] OBJC_EXPORT id class_createInstance(Class cls);

OBJC_EXPORT Ivar class_getInstanceVariable(Class cls, const char* name);
OBJC_EXPORT id object_getIvar(id object, Ivar ivar);
OBJC_EXPORT const char* ivar_getName(Ivar ivar);
// The instance variables `cls` itself declares, in order (the device's
// class_copyIvarList, without the count and the free).
OBJC_EXPORT std::vector<Ivar> class_copyIvarList(Class cls);

namespace rt {

// A C++ type behind runtime objects, linked to the nearest declared C++ base,
// so that the runtime can tell whether one type is another without an object.
struct CxxType {
    const std::type_info& type;
    const CxxType* (*base)();

    bool isA(const CxxType& other) const {
        for (const CxxType* t = this; t; t = t->base ? t->base() : nullptr)
            if (t->type == other.type)
                return true;
        return false;
    }
};

// How instances are built from their Class, and the C++ type they come out as.
struct Allocator {
    id (*build)(Class);
    const CxxType& (*builds)();
};

// Typed registration and lookup underneath the device-style calls.
OBJC_EXPORT BOOL addMethod(Class cls, SEL sel, IMP imp, const std::type_info& type);
// The implementation `cls` answers `sel` with (inherited ones included).
OBJC_EXPORT objc_method findMethod(Class cls, SEL sel);
// Installs on `cls` itself; answers the implementation it answered before, or
// null when the class is null, the selector unknown or the signature differs.
OBJC_EXPORT IMP replaceMethod(Class cls, SEL sel, IMP imp, const std::type_info& type);
OBJC_EXPORT void addIvar(Class cls, std::string name, std::function<id(id)> read);
// How instances of `cls` and of subclasses without their own are built; the
// allocator receives the class the instance must carry. Refused, with a line on
// stderr, when what it builds is not the C++ type of `cls` or of an ancestor:
// methods of those classes take `self` as that type.
OBJC_EXPORT BOOL setAllocator(Class cls, const Allocator* allocator);
// Every instance of `cls` is a `type` in C++: the nearest C++ type recorded
// on the class or an ancestor is one.
OBJC_EXPORT BOOL instancesAreA(Class cls, const CxxType& type);
// Records the C++ type behind `cls` (rt::defineClass<T> does it); registering
// the class is then refused if its allocator builds anything else.
OBJC_EXPORT void setCxxType(Class cls, const CxxType& type);
// `cls` is `ancestor` or inherits from it.
OBJC_EXPORT BOOL isSubclass(Class cls, Class ancestor);
// Removes a class name from the registry, so that this process looks like a
// platform version without it. Objects of the class keep working.
OBJC_EXPORT void hideClass(const char* name);
// One line on stderr: a hook that could not be installed.
OBJC_EXPORT void reportRefusedHook(Class cls, SEL sel, bool signatureDiffers);
// Allocates, sets up (methods, instance variables) and registers a class in one
// step; answers null when the name is taken.
OBJC_EXPORT Class defineClass(const char* name, Class superclass,
                              const std::function<void(Class cls, Class meta)>& setUp);
// Stops the process with a message: a broken invariant of the runtime.
[[noreturn]] OBJC_EXPORT void fatal(const std::string& message);

template <class Fn> struct MethodType;
template <class R, class... A> struct MethodType<R(A...)> { using Pointer = R (*)(id, SEL, A...); };

} // namespace rt

// Typed wrappers: the signature is taken from the function pointer.
template <class R, class... A> BOOL class_addMethod(Class cls, SEL sel, R (*imp)(id, SEL, A...)) {
    return rt::addMethod(cls, sel, reinterpret_cast<IMP>(imp), typeid(R(*)(id, SEL, A...)));
}

template <class Owner, class T> void class_addIvar(Class cls, const char* name, rt::Ref<T> Owner::*member) {
    rt::addIvar(cls, name,
                [member](id object) -> id { return (static_cast<Owner*>(object)->*member).get(); });
}
