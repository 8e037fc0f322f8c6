#pragma once
// Message sending. Every method that anything may replace is reached through
// here, so a replacement installed on a class is seen by every caller.
#include <objc/MethodCache.h>
#include <objc/runtime.h>

#include <string>
#include <utility>

namespace rt {

// Compile-time selector spelling: rt::sel<"setBarTintColor:">() is registered
// once per call site's spelling and then answered from a static.
template <size_t N> struct SelectorName {
    constexpr SelectorName(const char (&text)[N]) {
        for (size_t i = 0; i < N; ++i)
            value[i] = text[i];
    }
    char value[N];
};

template <SelectorName Name> SEL sel() {
    static const SEL registered = sel_registerName(Name.value);
    return registered;
}

OBJC_EXPORT IMP lookupForSend(Class cls, SEL sel, const std::type_info& type, id receiver);

// The send's fast path, inlined at every call site: a cached method whose
// signature this site already matched, found without a lock. Anything else
// (a miss, a first send from another library) goes the slow way.
inline IMP lookup(Class cls, SEL sel, const std::type_info& type, id receiver) {
    if (cls)
        if (CacheEntry* entry =
                MethodCache::find(cls->methodCache(), sel, g_methodEpoch.load(std::memory_order_acquire)))
            if (entry->acceptedSendType.load(std::memory_order_relaxed) == &type)
                return entry->method.imp;
    return lookupForSend(cls, sel, type, receiver);
}

template <class Fn> struct Send;
template <class R, class... A> struct Send<R(A...)> {
    using Pointer = R (*)(id, SEL, A...);
    template <class... P> static R to(id self, SEL sel, P&&... args) {
        if (!self)
            return R(); // messaging nil answers zero
        IMP imp = lookup(self->isa(), sel, typeid(Pointer), self);
        return reinterpret_cast<Pointer>(imp)(self, sel, std::forward<P>(args)...);
    }
    template <class... P> static R toSuper(id self, Class current, SEL sel, P&&... args) {
        if (!self)
            return R();
        IMP imp = lookup(class_getSuperclass(current), sel, typeid(Pointer), self);
        return reinterpret_cast<Pointer>(imp)(self, sel, std::forward<P>(args)...);
    }
};

// rt::send<Ref<UIColor>()>(cls, sel) sends with the declared signature; a
// method registered with another signature stops the process with its name.
template <class Fn, class... P> decltype(auto) send(id self, SEL sel, P&&... args) {
    return Send<Fn>::to(self, sel, std::forward<P>(args)...);
}

// [super selector]: the lookup starts above `current`, the class whose method calls it.
template <class Fn, class... P> decltype(auto) sendSuper(id self, Class current, SEL sel, P&&... args) {
    return Send<Fn>::toSuper(self, current, sel, std::forward<P>(args)...);
}

} // namespace rt
