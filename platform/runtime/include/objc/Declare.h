#pragma once
// Declaring a runtime class in one place.
//
// In the header, inside the class:
//
//     class UIKIT_EXTERN UILabel : public UIView {
//         RT_OBJECT(UILabel, UIView)
//         RT_PROPERTIES(UILABEL_PROPERTIES)
//         RT_METHODS(UILABEL_METHODS)
//       public:
//         ...
//     };
//
// where the property list has one line per property (type, getter, setter
// without the colon, initial value, and for a property that runs code when
// set, the member function to call after the store):
//
//     #define UILABEL_PROPERTIES(P) P(std::string, text, setText, {}) P(...)
//
// (in the header, one P(...) per line, each line ending in a backslash)
//
// Each line gives the class a stored member `m_<getter>`, C++ accessors that
// send through the runtime, and runtime methods "<getter>" and "<setter>:"
// that read and write the member, so a replacement installed on either is
// seen by every caller.
//
// The method list has one line per method the class adds (return type, C++
// name, selector, parameter types), one per method it overrides (the C++
// name a superclass declared) and one per class method, written like a method:
//
//     #define UILABEL_METHODS(M, O, C)
//         M(void, setText, "setText:", (const std::string&))
//         O(intrinsicContentSize)
//         C(rt::Ref<UILabel>, labelWithText, "labelWithText:", (const std::string&))
//
// `label->setText(s)` sends "setText:" through the runtime; the class
// implements it as a member function, `self` already typed:
//
//     void UILabel::setTextImpl(const std::string& text) { m_text = text; ... }
//     CGSize UILabel::intrinsicContentSizeImpl() { ... intrinsicContentSizeSuper() ... }
//
// An override reaches the superclass's implementation through
// `<name>Super(...)`, never `Super::<name>()`, which would send to itself.
// A class method's wrapper and implementation are static members; the
// wrapper sends to the class object, so a replacement installed on the
// metaclass answers for every caller:
//
//     rt::Ref<UILabel> UILabel::labelWithTextImpl(const std::string& text) { ... }
//
// The selector's colons must match the parameters, at compile time; the
// runtime refuses allocators that would build another C++ type, so `self`
// is always the class's type. In the source file, one definition per class:
//
//     RT_DEFINE_CLASS(UILabel, [](Class cls, Class meta) { ...ivars, class methods... })
//
// registers the class under its C++ name with the C++ base as superclass,
// its allocator, its properties and methods and whatever the set-up adds, at load time.
#include <objc/Factory.h>
#include <objc/message.h>
#include <objc/runtime.h>

#include <string>
#include <type_traits>
#include <utility>

namespace rt {

// What a property setter takes: objects by plain pointer, scalars by value,
// anything larger by const reference.
template <class T> struct PropertyParamOf {
    using Type = std::conditional_t<std::is_scalar_v<T>, T, const T&>;
};
template <class T> struct PropertyParamOf<Ref<T>> { using Type = T*; };
template <class T> using PropertyParam = typename PropertyParamOf<T>::Type;

template <class Owner, class T, T Owner::*member, auto didSet = nullptr>
void addProperty(Class cls, SEL getter, SEL setter) {
    class_addMethod(
        cls, getter, +[](id self, SEL) -> T { return static_cast<Owner*>(self)->*member; });
    class_addMethod(
        cls, setter, +[](id self, SEL, PropertyParam<T> value) {
            auto* owner = static_cast<Owner*>(self);
            owner->*member = value;
            if constexpr (!std::is_null_pointer_v<decltype(didSet)>)
                (owner->*didSet)();
        });
}

constexpr size_t colonsIn(const char* selector) {
    size_t count = 0;
    for (; *selector; ++selector)
        count += *selector == ':';
    return count;
}

// A method's runtime side: its signature and selector.
template <class Fn, SelectorName Name> struct MethodOf {
    using Type = Fn;
    static SEL selector() { return sel<Name>(); }
};

// [super selector] for a method a list declared, from an implementation of
// Current: rt::superCall<UITableViewCell::initWithStyleMethod>(this, style, identifier).
template <class Method, class Current, class... P> decltype(auto) superCall(Current* self, P&&... args) {
    return sendSuper<typename Method::Type>(self, Current::classObject(), Method::selector(),
                                            std::forward<P>(args)...);
}
// The same from a function added to `definingClass`, a class made at run time.
template <class Method, class... P> decltype(auto) superCallFrom(id self, Class definingClass, P&&... args) {
    return sendSuper<typename Method::Type>(self, definingClass, Method::selector(),
                                            std::forward<P>(args)...);
}

// Adds the implementation of Method to `cls`.
template <class Method, class R, class... A> void addChecked(Class cls, R (*call)(id, SEL, A...)) {
    const SEL sel = Method::selector();
    // An override whose signature differs breaks every caller of the inherited one.
    objc_method inherited = findMethod(class_getSuperclass(cls), sel);
    if (inherited.imp && *inherited.type != typeid(R(*)(id, SEL, A...)))
        fatal(std::string(class_getName(cls)) + " implements " + (class_isMetaClass(cls) ? "+" : "") +
              sel_getName(sel) + " with another signature than it inherits");
    class_addMethod(cls, sel, call);
}

// Registers a member function of Owner as the implementation of Method on
// `cls`. The runtime guarantees that instances of `cls` are Owners (see
// setAllocator), so the cast below holds.
template <class Owner, class Method, auto impl, class Fn = typename Method::Type> struct Implementation;
template <class Owner, class Method, auto impl, class R, class... A>
struct Implementation<Owner, Method, impl, R(A...)> {
    static R call(id self, SEL, A... args) {
        return (static_cast<Owner*>(self)->*impl)(static_cast<A&&>(args)...);
    }
    static void add(Class cls) { addChecked<Method>(cls, &call); }
};

// Registers a static member function as the class method Method, on the
// metaclass `meta`; the receiving class is not passed on.
template <class Method, auto impl, class Fn = typename Method::Type> struct ClassImplementation;
template <class Method, auto impl, class R, class... A> struct ClassImplementation<Method, impl, R(A...)> {
    static R call(id, SEL, A... args) { return impl(static_cast<A&&>(args)...); }
    static void add(Class meta) { addChecked<Method>(meta, &call); }
};

template <class O, class R, class... A> O* firstParameterOf(R (*)(O*, A...));

// For a class made at run time, without a C++ type of its own: a function
// taking the object first as the implementation of Method. Registering it
// stops the process unless the class's instances are that C++ type.
//     rt::addFunction<PSListController::specifiersMethod, &rowsOfPage>(cls);
template <class Method, auto function, class Fn = typename Method::Type> struct FunctionImplementation;
template <class Method, auto function, class R, class... A>
struct FunctionImplementation<Method, function, R(A...)> {
    using Owner = std::remove_pointer_t<decltype(firstParameterOf(function))>;
    static R call(id self, SEL, A... args) {
        return function(static_cast<Owner*>(self), static_cast<A&&>(args)...);
    }
    static void add(Class cls) {
        if (!instancesAreA(cls, cxxType<Owner>()))
            fatal(std::string(class_getName(cls)) + " gets " + sel_getName(Method::selector()) +
                  " for objects its instances are not");
        addChecked<Method>(cls, &call);
    }
};
template <class Method, auto function> void addFunction(Class cls) {
    FunctionImplementation<Method, function>::add(cls);
}

// Builds and registers T's class: superclass from the C++ base, allocator,
// properties, then the class's own set-up.
template <class T> Class defineClass(const char* name, void (*setUp)(Class cls, Class meta)) {
    static_assert(std::is_base_of_v<typename T::Super, T>, "the runtime superclass must be the C++ base");
    return defineClass(name, T::Super::classObject(), [setUp](Class cls, Class meta) {
        setCxxType(cls, cxxType<T>());
        setAllocator(cls, &allocate<T>);
        if constexpr (requires { typename T::PropertiesOf; })
            if constexpr (std::is_same_v<typename T::PropertiesOf, T>)
                T::registerProperties(cls);
        if constexpr (requires { typename T::MethodsOf; })
            if constexpr (std::is_same_v<typename T::MethodsOf, T>)
                T::registerMethods(cls);
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

#define RT_PROPERTY_MEMBERS(Type, getter, setter, initial, ...)                                              \
  public:                                                                                                    \
    using getter##Method = rt::MethodOf<Type(), #getter>;                                                    \
    using setter##Method = rt::MethodOf<void(rt::PropertyParam<Type>), #setter ":">;                         \
    Type getter() {                                                                                          \
        return rt::send<Type()>(this, rt::sel<#getter>());                                                   \
    }                                                                                                        \
    void setter(rt::PropertyParam<Type> value) {                                                             \
        rt::send<void(rt::PropertyParam<Type>)>(this, rt::sel<#setter ":">(), value);                        \
    }                                                                                                        \
                                                                                                             \
  private:                                                                                                   \
    Type m_##getter = initial;

#define RT_PROPERTY_REGISTRATION(Type, getter, setter, initial, ...)                                         \
    rt::addProperty<Self, Type, &Self::m_##getter __VA_OPT__(, &Self::__VA_ARGS__)>(cls, rt::sel<#getter>(), \
                                                                                    rt::sel<#setter ":">());

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

// Parameter lists from a list of types: (A, B) gives `A p1, B p2` and `p1, p2`.
#define RT_COUNT(...) RT_COUNT_I(__VA_OPT__(__VA_ARGS__, ) 8, 7, 6, 5, 4, 3, 2, 1, 0)
#define RT_COUNT_I(a, b, c, d, e, f, g, h, N, ...) N
#define RT_CAT(a, b) RT_CAT_I(a, b)
#define RT_CAT_I(a, b) a##b
#define RT_PARAMS(...) RT_CAT(RT_PARAMS_, RT_COUNT(__VA_ARGS__))(__VA_ARGS__)
#define RT_PARAMS_0()
#define RT_PARAMS_1(a) a p1
#define RT_PARAMS_2(a, b) a p1, b p2
#define RT_PARAMS_3(a, b, c) a p1, b p2, c p3
#define RT_PARAMS_4(a, b, c, d) a p1, b p2, c p3, d p4
#define RT_PARAMS_5(a, b, c, d, e) a p1, b p2, c p3, d p4, e p5
#define RT_PARAMS_6(a, b, c, d, e, f) a p1, b p2, c p3, d p4, e p5, f p6
#define RT_PARAMS_7(a, b, c, d, e, f, g) a p1, b p2, c p3, d p4, e p5, f p6, g p7
#define RT_PARAMS_8(a, b, c, d, e, f, g, h) a p1, b p2, c p3, d p4, e p5, f p6, g p7, h p8
#define RT_FWD(p) static_cast<decltype(p)&&>(p)
#define RT_ARGS(...) RT_CAT(RT_ARGS_, RT_COUNT(__VA_ARGS__))
#define RT_ARGS_0
#define RT_ARGS_1 , RT_FWD(p1)
#define RT_ARGS_2 RT_ARGS_1, RT_FWD(p2)
#define RT_ARGS_3 RT_ARGS_2, RT_FWD(p3)
#define RT_ARGS_4 RT_ARGS_3, RT_FWD(p4)
#define RT_ARGS_5 RT_ARGS_4, RT_FWD(p5)
#define RT_ARGS_6 RT_ARGS_5, RT_FWD(p6)
#define RT_ARGS_7 RT_ARGS_6, RT_FWD(p7)
#define RT_ARGS_8 RT_ARGS_7, RT_FWD(p8)

#define RT_METHOD_MEMBERS(Return, name, Selector, Params)                                                    \
  public:                                                                                                    \
    using name##Method = rt::MethodOf<Return Params, Selector>;                                              \
    static_assert(rt::colonsIn(Selector) == RT_COUNT Params,                                                 \
                  "the selector " Selector " takes as many arguments as it has colons");                     \
    Return name(RT_PARAMS Params) {                                                                          \
        return rt::send<Return Params>(this, name##Method::selector() RT_ARGS Params);                       \
    }                                                                                                        \
                                                                                                             \
  private:                                                                                                   \
    Return name##Impl(RT_PARAMS Params);

#define RT_OVERRIDE_MEMBERS(name)                                                                            \
  protected:                                                                                                 \
    template <class... P> decltype(auto) name##Super(P&&... args) {                                          \
        return rt::superCall<name##Method>(this, std::forward<P>(args)...);                                  \
    }                                                                                                        \
                                                                                                             \
  private:                                                                                                   \
    name##Method::Type name##Impl;

// A class method has no `<name>Method` of its own, so that its C++ name may be
// overloaded by selector (+systemFontOfSize: and +systemFontOfSize:weight:).
#define RT_CLASS_METHOD_MEMBERS(Return, name, Selector, Params)                                              \
  public:                                                                                                    \
    static_assert(rt::colonsIn(Selector) == RT_COUNT Params,                                                 \
                  "the selector " Selector " takes as many arguments as it has colons");                     \
    static Return name(RT_PARAMS Params) {                                                                   \
        return rt::send<Return Params>(classObject(), rt::sel<Selector>() RT_ARGS Params);                   \
    }                                                                                                        \
                                                                                                             \
  private:                                                                                                   \
    static Return name##Impl(RT_PARAMS Params);

#define RT_METHOD_REGISTRATION(Return, name, Selector, Params)                                               \
    rt::Implementation<Self, name##Method, &Self::name##Impl>::add(cls);
#define RT_OVERRIDE_REGISTRATION(name) rt::Implementation<Self, name##Method, &Self::name##Impl>::add(cls);
#define RT_CLASS_METHOD_REGISTRATION(Return, name, Selector, Params)                                         \
    rt::ClassImplementation<rt::MethodOf<Return Params, Selector>,                                           \
                            static_cast<Return(*) Params>(&Self::name##Impl)>::add(object_getClass(cls));

// Inside a class, after RT_OBJECT: the methods of a list (see above).
#define RT_METHODS(LIST)                                                                                     \
    LIST(RT_METHOD_MEMBERS, RT_OVERRIDE_MEMBERS, RT_CLASS_METHOD_MEMBERS)                                    \
  public:                                                                                                    \
    using MethodsOf = Self;                                                                                  \
    static void registerMethods(Class cls) {                                                                 \
        LIST(RT_METHOD_REGISTRATION, RT_OVERRIDE_REGISTRATION, RT_CLASS_METHOD_REGISTRATION)                 \
    }
