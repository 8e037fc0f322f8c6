#include <objc/Weak.h>
#include <objc/runtime.h>

#include <string>

#include <mutex>

namespace {
// Guards every WeakBox and each object's link to its box.
std::mutex& weakLock() {
    static std::mutex lock;
    return lock;
}
} // namespace

objc_object::~objc_object() = default;

void objc_object::retain() const noexcept {
    if (m_immortal)
        return;
    // Zero means the object is being destroyed: this reference would free it
    // twice. Checked in every build: the cost is one comparison.
    if (m_refs.fetch_add(1, std::memory_order_relaxed) == 0)
        rt::fatal(std::string("retain of a deallocated ") + class_getName(m_isa));
}

bool objc_object::tryRetain() const noexcept {
    if (m_immortal)
        return true;
    uint32_t count = m_refs.load(std::memory_order_relaxed);
    while (count != 0)
        if (m_refs.compare_exchange_weak(count, count + 1, std::memory_order_acquire))
            return true;
    return false;
}

void objc_object::release() const noexcept {
    if (m_immortal)
        return;
    const uint32_t before = m_refs.fetch_sub(1, std::memory_order_acq_rel);
    if (before == 0) // more releases than references: the object is already being freed
        rt::fatal(std::string("release below zero of a ") + class_getName(m_isa));
    if (before != 1)
        return;
    rt::WeakBox::objectDying(this);
    delete this;
}

namespace rt {

WeakBox* WeakBox::attach(const objc_object* object) {
    std::lock_guard guard(weakLock());
    if (!object->m_weakBox) {
        object->m_weakBox = new WeakBox;
        object->m_weakBox->target = const_cast<objc_object*>(object);
    }
    ++object->m_weakBox->weakCount;
    return object->m_weakBox;
}

void WeakBox::detach(WeakBox* box) {
    if (!box)
        return;
    std::lock_guard guard(weakLock());
    if (--box->weakCount == 0) {
        if (box->target)
            box->target->m_weakBox = nullptr;
        delete box;
    }
}

objc_object* WeakBox::lockTarget(WeakBox* box) {
    std::lock_guard guard(weakLock());
    return box->target && box->target->tryRetain() ? box->target : nullptr;
}

void WeakBox::objectDying(const objc_object* object) {
    std::lock_guard guard(weakLock());
    if (WeakBox* box = object->m_weakBox) {
        box->target = nullptr;
        object->m_weakBox = nullptr;
    }
}

} // namespace rt
