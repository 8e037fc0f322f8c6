#include <objc/NSObject.h>
#include <objc/message.h>
#include <objc/runtime.h>

#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <mutex>
#include <string>

// Gives the runtime's functions access to the private tables of a class.
struct RuntimeAccess {
    static auto& methods(Class cls) { return cls->m_methods; }
    static auto& ivars(Class cls) { return cls->m_ivars; }
    static auto& allocator(Class cls) { return cls->m_allocator; }
    static auto& cache(Class cls) { return cls->m_cache; }
    static auto& cacheEpoch(Class cls) { return cls->m_cacheEpoch; }
};

namespace {

using A = RuntimeAccess;

// One lock for selectors, the class registry, method tables and caches.
// Lookups are short; the lock keeps the background queue and the main thread
// from racing on a cache fill.
std::mutex& runtimeLock() {
    static std::mutex lock;
    return lock;
}

// Selectors and classes live as long as the process, even past static
// destruction (a library's last calls may still send messages).
std::map<std::string, std::unique_ptr<objc_selector>, std::less<>>& selectorTable() {
    static auto* table = new std::map<std::string, std::unique_ptr<objc_selector>, std::less<>>;
    return *table;
}

std::map<std::string, Class, std::less<>>& classTable() {
    static auto* table = new std::map<std::string, Class, std::less<>>;
    return *table;
}

// Bumped whenever a method table changes; every class cache older than this is stale.
uint64_t g_epoch = 1;

objc_method findLocked(Class cls, SEL sel) {
    for (Class c = cls; c; c = c->superclass()) {
        auto it = A::methods(c).find(sel);
        if (it != A::methods(c).end())
            return it->second;
    }
    return {};
}

objc_method cachedLocked(Class cls, SEL sel) {
    if (A::cacheEpoch(cls) != g_epoch) {
        A::cache(cls).clear();
        A::cacheEpoch(cls) = g_epoch;
    }
    auto hit = A::cache(cls).find(sel);
    if (hit != A::cache(cls).end())
        return hit->second;
    objc_method found = findLocked(cls, sel);
    if (found.imp)
        A::cache(cls).emplace(sel, found);
    return found;
}

} // namespace

struct objc_selector {
    std::string name;
};

objc_class::objc_class(std::string name, Class superclass, Class metaclass, bool isMeta)
    : objc_object(metaclass), m_name(std::move(name)), m_superclass(superclass), m_isMeta(isMeta) {
    makeImmortal();
}

SEL sel_registerName(std::string_view name) {
    std::lock_guard guard(runtimeLock());
    auto& table = selectorTable();
    auto it = table.find(name);
    if (it == table.end())
        it =
            table
                .emplace(std::string(name), std::make_unique<objc_selector>(objc_selector{std::string(name)}))
                .first;
    return it->second.get();
}

const char* sel_getName(SEL sel) {
    return sel ? sel->name.c_str() : "<null selector>";
}

Class objc_getClass(const char* name) {
    if (!name)
        return nullptr;
    std::lock_guard guard(runtimeLock());
    auto it = classTable().find(std::string_view(name));
    return it == classTable().end() ? nullptr : it->second;
}

Class objc_getRequiredClass(const char* name) {
    Class cls = objc_getClass(name);
    if (!cls)
        rt::fatal(std::string("required class ") + (name ? name : "<null>") + " is missing");
    return cls;
}

Class object_getClass(id object) {
    return object ? object->isa() : nullptr;
}
const char* class_getName(Class cls) {
    return cls ? cls->name().c_str() : "nil";
}
Class class_getSuperclass(Class cls) {
    return cls ? cls->superclass() : nullptr;
}
BOOL class_isMetaClass(Class cls) {
    return cls && cls->isMetaClass();
}

BOOL class_respondsToSelector(Class cls, SEL sel) {
    if (!cls || !sel)
        return NO;
    std::lock_guard guard(runtimeLock());
    return cachedLocked(cls, sel).imp != nullptr;
}

Class objc_allocateClassPair(Class superclass, const char* name) {
    if (!name)
        return nullptr;
    Class superMeta = superclass ? superclass->isa() : nullptr;
    auto* meta = new objc_class(name, superMeta, nullptr, true);
    auto* cls = new objc_class(name, superclass, meta, false);
    return cls;
}

BOOL objc_registerClassPair(Class cls) {
    if (!cls || cls->isMetaClass())
        return NO;
    std::lock_guard guard(runtimeLock());
    return classTable().emplace(cls->name(), cls).second;
}

void objc_disposeClassPair(Class cls) {
    if (!cls || cls->isMetaClass() || objc_getClass(cls->name().c_str()) == cls)
        return; // registered classes stay: objects and caches may point at them
    delete cls->isa();
    delete cls;
}

id class_createInstance(Class cls) {
    id (*allocator)(Class) = nullptr;
    {
        std::lock_guard guard(runtimeLock());
        for (Class c = cls; c && !allocator; c = c->superclass())
            allocator = A::allocator(c);
    }
    return allocator ? allocator(cls) : nullptr;
}

Ivar class_getInstanceVariable(Class cls, const char* name) {
    if (!cls || !name)
        return nullptr;
    std::lock_guard guard(runtimeLock());
    for (Class c = cls; c; c = c->superclass())
        for (const objc_ivar& ivar : A::ivars(c))
            if (ivar.name == name)
                return &ivar;
    return nullptr;
}

id object_getIvar(id object, Ivar ivar) {
    return object && ivar ? ivar->read(object) : nullptr;
}
const char* ivar_getName(Ivar ivar) {
    return ivar ? ivar->name.c_str() : nullptr;
}

namespace rt {

BOOL addMethod(Class cls, SEL sel, IMP imp, const std::type_info& type) {
    if (!cls || !sel || !imp)
        return NO;
    std::lock_guard guard(runtimeLock());
    bool added = A::methods(cls).emplace(sel, objc_method{imp, &type}).second;
    if (added)
        ++g_epoch;
    return added;
}

objc_method findMethod(Class cls, SEL sel) {
    if (!cls || !sel)
        return {};
    std::lock_guard guard(runtimeLock());
    return cachedLocked(cls, sel);
}

IMP replaceMethod(Class cls, SEL sel, IMP imp, const std::type_info& type) {
    if (!cls || !sel || !imp)
        return nullptr;
    std::lock_guard guard(runtimeLock());
    objc_method previous = findLocked(cls, sel);
    if (!previous.imp || *previous.type != type)
        return nullptr;
    // Installed on this class only: subclasses inherit it, siblings never see it.
    A::methods(cls)[sel] = objc_method{imp, &type};
    ++g_epoch;
    return previous.imp;
}

void addIvar(Class cls, std::string name, std::function<id(id)> read) {
    if (!cls)
        return;
    std::lock_guard guard(runtimeLock());
    A::ivars(cls).push_back(objc_ivar{std::move(name), std::move(read)});
}

void setAllocator(Class cls, id (*allocator)(Class)) {
    if (!cls)
        return;
    std::lock_guard guard(runtimeLock());
    A::allocator(cls) = allocator;
}

void hideClass(const char* name) {
    if (!name)
        return;
    std::lock_guard guard(runtimeLock());
    auto it = classTable().find(std::string_view(name));
    if (it != classTable().end())
        classTable().erase(it);
}

BOOL isSubclass(Class cls, Class ancestor) {
    for (Class c = cls; c && ancestor; c = c->superclass())
        if (c == ancestor)
            return YES;
    return NO;
}

Class defineClass(const char* name, Class superclass,
                  const std::function<void(Class cls, Class meta)>& setUp) {
    Class cls = objc_allocateClassPair(superclass, name);
    if (!cls)
        return nullptr;
    if (setUp)
        setUp(cls, cls->isa());
    if (objc_registerClassPair(cls))
        return cls;
    objc_disposeClassPair(cls);
    return nullptr;
}

void reportRefusedHook(Class cls, SEL sel, bool signatureDiffers) {
    std::fprintf(stderr, "MSHookMessageEx: %s %c[%s %s] not hooked: %s\n", "refused",
                 class_isMetaClass(cls) ? '+' : '-', class_getName(cls), sel_getName(sel),
                 signatureDiffers ? "the replacement's signature differs from the method's"
                                  : "the class has no such method");
}

void fatal(const std::string& message) {
    std::fprintf(stderr, "runtime: %s\n", message.c_str());
    std::fflush(stderr);
    std::abort();
}

IMP lookupForSend(Class cls, SEL sel, const std::type_info& type, id receiver) {
    objc_method method;
    {
        std::lock_guard guard(runtimeLock());
        method = cls ? cachedLocked(cls, sel) : objc_method{};
    }
    if (!method.imp)
        fatal(std::string("unrecognized selector ") + sel_getName(sel) + " sent to " +
              (class_isMetaClass(receiver->isa()) ? "class " : "instance of ") +
              class_getName(receiver->isa()));
    if (*method.type != type)
        fatal(std::string("selector ") + sel_getName(sel) + " of " + class_getName(receiver->isa()) +
              " sent with signature " + type.name() + " but implemented as " + method.type->name());
    return method.imp;
}

} // namespace rt
