#pragma once
#include <objc/objc.h>

#include <atomic>
#include <cstdint>

namespace rt {
struct WeakBox;
}

// Root of every object: its class pointer and an intrusive reference count.
// An object starts with one reference, its creator's, which rt::adopt hands to
// the first rt::Ref; so a constructor or a hook may take a Ref to the object
// at any time without freeing it on release.
class OBJC_EXPORT objc_object {
  public:
    explicit objc_object(Class isa) noexcept : m_isa(isa) {}
    virtual ~objc_object();

    objc_object(const objc_object&) = delete;
    objc_object& operator=(const objc_object&) = delete;

    Class isa() const noexcept { return m_isa; }

    void retain() const noexcept;
    void release() const noexcept;
    // Takes a reference only while the object is still alive (used by weak references).
    bool tryRetain() const noexcept;
    uint32_t retainCount() const noexcept { return m_refs.load(std::memory_order_relaxed); }

  protected:
    // Classes are never freed; they say so here.
    void makeImmortal() noexcept { m_immortal = true; }

  private:
    friend struct rt::WeakBox;
    Class m_isa;
    mutable std::atomic<uint32_t> m_refs{1};
    mutable rt::WeakBox* m_weakBox = nullptr; // guarded by the runtime's weak lock
    bool m_immortal = false;
};
