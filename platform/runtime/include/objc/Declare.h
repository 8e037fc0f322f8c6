#pragma once
// Declaring a runtime class in one place.
//
// In the header, inside the class:
//
//     class UIKIT_EXTERN UILabel : public UIView {
//         RT_OBJECT(UILabel, UIView)
//         RT_PROPERTIES(UILABEL_PROPERTIES)
//       public:
//         ...
//     };
//
// where the property list has one line per property (type, getter, setter
// without the colon, initial value):
//
//     #define UILABEL_PROPERTIES(P) P(std::string, text, setText, {}) P(...)
//
// (in the header, one P(...) per line, each line ending in a backslash)
//
// Each line gives the class a stored member `m_<getter>`, C++ accessors that
// send through the runtime, and runtime methods "<getter>" and "<setter>:"
// that read and write the member, so a replacement installed on either is
// seen by every caller. In the source file, one definition per class:
//
//     RT_DEFINE_CLASS(UILabel, [](Class cls, Class meta) { ...methods and ivars... })
//
// registers the class under its C++ name with the C++ base as superclass,
// its allocator, its properties and whatever the set-up adds, at load time.
#include <objc/Factory.h>
#include <objc/message.h>
#include <objc/runtime.h>

#include <type_traits>

namespace rt {

// What a property setter takes: objects by plain pointer, scalars by value,
// anything larger by const reference.
template <class T> struct PropertyParamOf {
    using Type = std::conditional_t<std::is_scalar_v<T>, T, const T&>;
};
template <class T> struct PropertyParamOf<Ref<T>> { using Type = T*; };
template <class T> using PropertyParam = typename PropertyParamOf<T>::Type;

template <class Owner, class T, T Owner::*member> void addProperty(Class cls, SEL getter, SEL setter) {
    class_addMethod(
        cls, getter, +[](id self, SEL) -> T { return static_cast<Owner*>(self)->*member; });
    class_addMethod(
        cls, setter,
        +[](id self, SEL, PropertyParam<T> value) { static_cast<Owner*>(self)->*member = value; });
}

// Builds and registers T's class: superclass from the C++ base, allocator,
// properties, then the class's own set-up.
template <class T> Class defineClass(const char* name, void (*setUp)(Class cls, Class meta)) {
    static_assert(std::is_base_of_v<typename T::Super, T>, "the runtime superclass must be the C++ base");
    return defineClass(name, T::Super::classObject(), [setUp](Class cls, Class meta) {
        setAllocator(cls, &allocate<T>);
        if constexpr (requires { typename T::PropertiesOf; })
            if constexpr (std::is_same_v<typename T::PropertiesOf, T>)
                T::registerProperties(cls);
        if (setUp)
            setUp(cls, meta);
    });
}

} // namespace rt

// Inside a class: its class object, its superclass, the protected constructor
// from a Class that the factory and allocators use, and the factory's access.
#define RT_OBJECT(Self_, Super_)                                                                             \
    RT_OBJECT_HEAD(Self_, Super_)                                                                            \
  protected:                                                                                                 \
    explicit Self_(Class cls) : Super_(cls) {}                                                               \
                                                                                                             \
  public:

// The same for a class whose constructor does more: it is defined in the source file.
#define RT_OBJECT_WITH_CONSTRUCTOR(Self_, Super_)                                                            \
    RT_OBJECT_HEAD(Self_, Super_)                                                                            \
  protected:                                                                                                 \
    explicit Self_(Class cls);                                                                               \
                                                                                                             \
  public:

#define RT_OBJECT_HEAD(Self_, Super_)                                                                        \
  public:                                                                                                    \
    using Self = Self_;                                                                                      \
    using Super = Super_;                                                                                    \
    static Class classObject();                                                                              \
                                                                                                             \
  private:                                                                                                   \
    friend struct rt::Factory;

#define RT_PROPERTY_MEMBERS(Type, getter, setter, initial)                                                   \
  public:                                                                                                    \
    Type getter() {                                                                                          \
        return rt::send<Type()>(this, rt::sel<#getter>());                                                   \
    }                                                                                                        \
    void setter(rt::PropertyParam<Type> value) {                                                             \
        rt::send<void(rt::PropertyParam<Type>)>(this, rt::sel<#setter ":">(), value);                        \
    }                                                                                                        \
                                                                                                             \
  private:                                                                                                   \
    Type m_##getter = initial;

#define RT_PROPERTY_REGISTRATION(Type, getter, setter, initial)                                              \
    rt::addProperty<Self, Type, &Self::m_##getter>(cls, rt::sel<#getter>(), rt::sel<#setter ":">());

// Inside a class, after RT_OBJECT: the properties of a list (see above).
#define RT_PROPERTIES(LIST)                                                                                  \
    LIST(RT_PROPERTY_MEMBERS)                                                                                \
  public:                                                                                                    \
    using PropertiesOf = Self;                                                                               \
    static void registerProperties(Class cls) {                                                              \
        LIST(RT_PROPERTY_REGISTRATION)                                                                       \
    }

// In the class's source file: its definition, registered when the library loads.
#define RT_DEFINE_CLASS(Self_, ...)                                                                          \
    Class Self_::classObject() {                                                                             \
        static const Class cls = rt::defineClass<Self_>(#Self_, __VA_ARGS__);                                \
        return cls;                                                                                          \
    }                                                                                                        \
    namespace {                                                                                              \
    [[maybe_unused]] const Class registered##Self_ = Self_::classObject();                                   \
    }
