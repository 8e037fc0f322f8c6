#pragma once
#include <objc/objc_object.h>

#include <cstddef>
#include <utility>

namespace rt {

// Strong reference: retains on copy, releases on destruction.
template <class T> class Ref {
  public:
    Ref() noexcept = default;
    Ref(std::nullptr_t) noexcept {}
    Ref(T* object) noexcept : m_ptr(object) {
        if (m_ptr)
            m_ptr->retain();
    }
    Ref(const Ref& other) noexcept : Ref(other.m_ptr) {}
    Ref(Ref&& other) noexcept : m_ptr(std::exchange(other.m_ptr, nullptr)) {}
    template <class U> Ref(const Ref<U>& other) noexcept : Ref(static_cast<T*>(other.get())) {}
    template <class U> Ref(Ref<U>&& other) noexcept : m_ptr(static_cast<T*>(other.leak())) {}
    ~Ref() {
        if (m_ptr)
            m_ptr->release();
    }

    Ref& operator=(Ref other) noexcept {
        std::swap(m_ptr, other.m_ptr);
        return *this;
    }

    T* get() const noexcept { return m_ptr; }
    T* operator->() const noexcept { return m_ptr; }
    T& operator*() const noexcept { return *m_ptr; }
    explicit operator bool() const noexcept { return m_ptr != nullptr; }
    operator T*() const noexcept { return m_ptr; }

    // Gives up ownership without releasing; the caller now holds the reference.
    T* leak() noexcept { return std::exchange(m_ptr, nullptr); }

  private:
    T* m_ptr = nullptr;
};

template <class T, class... Args> Ref<T> make(Args&&... args) {
    return Ref<T>(new T(std::forward<Args>(args)...));
}

} // namespace rt
