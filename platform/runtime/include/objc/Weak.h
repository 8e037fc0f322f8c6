#pragma once
#include <objc/Ref.h>

namespace rt {

// Shared between an object and the weak references to it; the object clears
// `target` when it dies. Every field is guarded by the runtime's weak lock.
struct OBJC_EXPORT WeakBox {
    objc_object* target = nullptr;
    uint32_t weakCount = 0;

    static WeakBox* attach(const objc_object* object);
    static void detach(WeakBox* box);
    static objc_object* lockTarget(WeakBox* box); // retained, or null once dead
    static void objectDying(const objc_object* object);
};

// Weak back-pointer (superview, target, delegate): never keeps its object alive
// and reads as null once the object is gone.
template <class T> class Weak {
  public:
    Weak() noexcept = default;
    Weak(T* object) : m_box(object ? WeakBox::attach(object) : nullptr) {}
    Weak(const Weak& other) : Weak(other.lock().get()) {}
    Weak& operator=(const Weak& other) {
        if (this != &other)
            reset(other.lock().get());
        return *this;
    }
    Weak& operator=(T* object) {
        reset(object);
        return *this;
    }
    ~Weak() { WeakBox::detach(m_box); }

    // A strong reference to the object, or null when it has gone away.
    Ref<T> lock() const {
        // lockTarget retained the object once; that reference is handed over.
        return adopt(static_cast<T*>(m_box ? WeakBox::lockTarget(m_box) : nullptr));
    }

  private:
    void reset(T* object) {
        WeakBox::detach(m_box);
        m_box = object ? WeakBox::attach(object) : nullptr;
    }
    WeakBox* m_box = nullptr;
};

} // namespace rt
