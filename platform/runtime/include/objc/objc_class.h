#pragma once
#include <objc/objc_object.h>

#include <atomic>
#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <typeinfo>
#include <unordered_map>
#include <vector>

namespace rt {
struct MethodCacheTable;
struct CxxType;
struct Allocator;
} // namespace rt

// An implementation together with the C++ signature it was registered with.
struct objc_method {
    IMP imp = nullptr;
    const std::type_info* type = nullptr;
};

// A named object-valued instance variable, read through an accessor rather than
// a raw offset so that C++ members can back it.
struct objc_ivar {
    std::string name;
    std::function<id(id)> read;
};

// A class or a metaclass. The class object's isa is its metaclass, which holds
// the class methods; a metaclass's isa is null.
class OBJC_EXPORT objc_class final : public objc_object {
  public:
    objc_class(std::string name, Class superclass, Class metaclass, bool isMeta);

    const std::string& name() const noexcept { return m_name; }
    Class superclass() const noexcept { return m_superclass; }
    bool isMetaClass() const noexcept { return m_isMeta; }
    const std::atomic<rt::MethodCacheTable*>& methodCache() const noexcept { return m_cache; }

  private:
    friend struct RuntimeAccess;
    std::string m_name;
    Class m_superclass;
    bool m_isMeta;
    std::unordered_map<SEL, objc_method> m_methods;
    std::deque<objc_ivar> m_ivars;              // a deque: an Ivar handed out stays valid as more are added
    const rt::Allocator* m_allocator = nullptr; // builds the C++ object behind an instance
    const rt::CxxType* m_cxxType = nullptr;     // what every instance is at least, in C++
    // Lookup cache (see MethodCache), read without the runtime's lock.
    std::atomic<rt::MethodCacheTable*> m_cache{nullptr};
};
