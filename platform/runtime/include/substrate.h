#pragma once
// The substrate's method hooking: install a replacement and keep what it displaced.
#include <objc/runtime.h>

// Null class installs nothing and leaves the slot empty. Otherwise the slot
// receives the implementation the class answered before (an inherited one too)
// and only then is the replacement installed on that class. A replacement whose
// signature differs from the method's is refused: nothing installed, slot empty.
template <class R, class... A>
void MSHookMessageEx(Class cls, SEL sel, R (*replacement)(id, SEL, A...), R (**slot)(id, SEL, A...)) {
    using Pointer = R (*)(id, SEL, A...);
    if (!cls || !sel || !replacement)
        return;
    objc_method previous = rt::findMethod(cls, sel);
    if (!previous.imp || *previous.type != typeid(Pointer)) {
        rt::reportRefusedHook(cls, sel, previous.imp != nullptr);
        return;
    }
    if (slot)
        *slot = reinterpret_cast<Pointer>(previous.imp);
    rt::replaceMethod(cls, sel, reinterpret_cast<IMP>(replacement), typeid(Pointer));
}
