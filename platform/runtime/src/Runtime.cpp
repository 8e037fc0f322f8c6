#include <objc/MethodCache.h>
#include <objc/NSObject.h>
#include <objc/message.h>
#include <objc/runtime.h>

#include <cxxabi.h>

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
    static auto& cxxType(Class cls) { return cls->m_cxxType; }
    static auto& cache(Class cls) { return cls->m_cache; }
};

namespace {

using A = RuntimeAccess;

// One lock for selectors, the class registry, method tables and cache fills.
// A send that finds its method in the cache takes no lock at all.
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

// Bumped under the lock; every class cache older than it is stale.
using rt::g_methodEpoch;

uint64_t epoch() {
    return g_methodEpoch.load(std::memory_order_acquire);
}

objc_method findLocked(Class cls, SEL sel) {
    for (Class c = cls; c; c = c->superclass()) {
        auto it = A::methods(c).find(sel);
        if (it != A::methods(c).end())
            return it->second;
    }
    return {};
}

// The cache entry for `sel` on `cls`, filled under the lock on a miss; null
// when the class does not answer the selector.
rt::CacheEntry* cachedEntry(Class cls, SEL sel) {
    if (rt::CacheEntry* hit = rt::MethodCache::find(A::cache(cls), sel, epoch()))
        return hit;
    std::lock_guard guard(runtimeLock());
    objc_method found = findLocked(cls, sel);
    return found.imp ? rt::MethodCache::insert(A::cache(cls), sel, found, epoch()) : nullptr;
}

const rt::Allocator* nearestAllocatorLocked(Class cls) {
    for (Class c = cls; c; c = c->superclass())
        if (A::allocator(c))
            return A::allocator(c);
    return nullptr;
}

std::string readableName(const std::type_info& type) {
    int status = 0;
    std::unique_ptr<char, decltype(&std::free)> name(
        abi::__cxa_demangle(type.name(), nullptr, nullptr, &status), &std::free);
    return status == 0 && name ? name.get() : type.name();
}

// Why instances that `allocator` builds may not carry `cls` or any class above
// it: the first class whose C++ type they are not. Empty when they may.
std::string typeMismatchLocked(Class cls, const rt::Allocator* allocator) {
    if (!allocator)
        return {};
    const rt::CxxType& built = allocator->builds();
    for (Class c = cls; c; c = c->superclass())
        if (const rt::CxxType* expected = A::cxxType(c); expected && !built.isA(*expected))
            return "its instances would be built as " + readableName(built.type) + ", which is not a " +
                   readableName(expected->type) + " (the C++ type of " + c->name() + ")";
    return {};
}

void reportRefusedClass(const char* what, Class cls, const std::string& why) {
    std::fprintf(stderr, "runtime: %s %s refused: %s\n", what, class_getName(cls), why.c_str());
    std::fflush(stderr);
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
    return cachedEntry(cls, sel) != nullptr;
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
    std::string mismatch;
    {
        std::lock_guard guard(runtimeLock());
        mismatch = typeMismatchLocked(cls, nearestAllocatorLocked(cls));
        if (mismatch.empty())
            return classTable().emplace(cls->name(), cls).second;
    }
    reportRefusedClass("class", cls, mismatch);
    return NO;
}

void objc_disposeClassPair(Class cls) {
    if (!cls || cls->isMetaClass() || objc_getClass(cls->name().c_str()) == cls)
        return; // registered classes stay: objects and caches may point at them
    delete cls->isa();
    delete cls;
}

id class_createInstance(Class cls) {
    const rt::Allocator* allocator = nullptr;
    {
        std::lock_guard guard(runtimeLock());
        allocator = nearestAllocatorLocked(cls);
    }
    return allocator ? allocator->build(cls) : nullptr;
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

std::vector<Ivar> class_copyIvarList(Class cls) {
    std::vector<Ivar> list;
    if (!cls)
        return list;
    std::lock_guard guard(runtimeLock());
    for (const objc_ivar& ivar : A::ivars(cls))
        list.push_back(&ivar);
    return list;
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
        g_methodEpoch.fetch_add(1, std::memory_order_acq_rel);
    return added;
}

objc_method findMethod(Class cls, SEL sel) {
    if (!cls || !sel)
        return {};
    rt::CacheEntry* entry = cachedEntry(cls, sel);
    return entry ? entry->method : objc_method{};
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
    g_methodEpoch.fetch_add(1, std::memory_order_acq_rel);
    return previous.imp;
}

void addIvar(Class cls, std::string name, std::function<id(id)> read) {
    if (!cls)
        return;
    std::lock_guard guard(runtimeLock());
    A::ivars(cls).push_back(objc_ivar{std::move(name), std::move(read)});
}

BOOL setAllocator(Class cls, const Allocator* allocator) {
    if (!cls || !allocator)
        return NO;
    std::string mismatch;
    {
        std::lock_guard guard(runtimeLock());
        mismatch = typeMismatchLocked(cls, allocator);
        if (mismatch.empty()) {
            A::allocator(cls) = allocator;
            return YES;
        }
    }
    reportRefusedClass("allocator for", cls, mismatch);
    return NO;
}

BOOL instancesAreA(Class cls, const CxxType& type) {
    std::lock_guard guard(runtimeLock());
    for (Class c = cls; c; c = c->superclass())
        if (const CxxType* recorded = A::cxxType(c))
            return recorded->isA(type);
    return NO;
}

void setCxxType(Class cls, const CxxType& type) {
    if (!cls)
        return;
    std::lock_guard guard(runtimeLock());
    A::cxxType(cls) = &type;
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
    rt::CacheEntry* entry = cls ? cachedEntry(cls, sel) : nullptr;
    if (!entry)
        fatal(std::string("unrecognized selector ") + sel_getName(sel) + " sent to " +
              (class_isMetaClass(receiver->isa()) ? "class " : "instance of ") +
              class_getName(receiver->isa()));
    // Same signature object: the usual case. Another library's object for the
    // same type is compared by name once, then remembered.
    if (entry->acceptedSendType.load(std::memory_order_relaxed) != &type) {
        if (*entry->method.type != type)
            fatal(std::string("selector ") + sel_getName(sel) + " of " + class_getName(receiver->isa()) +
                  " sent with signature " + type.name() + " but implemented as " +
                  entry->method.type->name());
        entry->acceptedSendType.store(&type, std::memory_order_relaxed);
    }
    return entry->method.imp;
}

} // namespace rt
