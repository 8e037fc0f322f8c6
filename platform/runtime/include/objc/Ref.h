#pragma once
#include <objc/objc_object.h>

#include <concepts>
#include <cstddef>
#include <utility>

namespace rt {

template <class T> class Ref;

// Takes over the one reference a new object starts with, without adding another.
template <class T> Ref<T> adopt(T* object) noexcept;

// Strong reference: retains on copy, releases on destruction. Converts only
// upwards (Ref<UILabel> to Ref<UIView>); a downcast goes through rt::dynamicCast.
template <class T> class Ref {
  public:
    Ref() noexcept = default;
    Ref(std::nullptr_t) noexcept {}
    // Another reference to an object that is already owned elsewhere.
    Ref(T* object) noexcept : m_ptr(object) {
        if (m_ptr)
            m_ptr->retain();
    }
    Ref(const Ref& other) noexcept : Ref(other.m_ptr) {}
    Ref(Ref&& other) noexcept : m_ptr(std::exchange(other.m_ptr, nullptr)) {}
    template <class U>
    requires std::convertible_to<U*, T*> Ref(const Ref<U>& other)
    noexcept : Ref(other.get()) {}
    template <class U>
    requires std::convertible_to<U*, T*> Ref(Ref<U>&& other)
    noexcept : m_ptr(other.leak()) {}
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
    [[nodiscard]] T* leak() noexcept { return std::exchange(m_ptr, nullptr); }

  private:
    friend Ref adopt<T>(T*) noexcept;
    struct Adopting {};
    Ref(T* object, Adopting) noexcept : m_ptr(object) {}

    T* m_ptr = nullptr;
};

template <class T> Ref<T> adopt(T* object) noexcept {
    return Ref<T>(object, typename Ref<T>::Adopting{});
}

// A reference to an object nobody else owns yet, as the factory answers it.
// It is a Ref in every way but one: it gives no plain pointer while it is a
// temporary, since the object would die with it (`UIView* v = rt::make<UIView>();`
// does not compile). Keep it in a variable or a Ref first.
template <class T> class NewRef : public Ref<T> {
  public:
    explicit NewRef(Ref<T>&& adopted) noexcept : Ref<T>(std::move(adopted)) {}
    using Ref<T>::operator=;
    operator T*() const& noexcept { return this->get(); }
    operator T*() const&& = delete;
};

template <class T, class U> bool operator==(const Ref<T>& a, const Ref<U>& b) noexcept {
    return a.get() == b.get();
}
template <class T> bool operator==(const Ref<T>& a, std::nullptr_t) noexcept {
    return !a;
}

} // namespace rt
