#pragma once
// A class's cache of looked-up methods, read without a lock.
//
// Readers find a (selector -> method) entry by probing an open-addressed table
// published through an atomic pointer. Writers (under the runtime's lock) fill
// empty slots of the current table or publish a new one; a table is never
// changed otherwise and never freed, so a reader holding an old one stays
// safe. Every method-table change bumps the global epoch, which retires every
// class's table at its next use.
#include <objc/objc_class.h>

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <typeinfo>

namespace rt {

// Bumped whenever a method table changes.
OBJC_EXPORT extern std::atomic<uint64_t> g_methodEpoch;

struct CacheEntry {
    SEL sel;
    objc_method method;
    // The send-site signature last found equal to the method's: sites in other
    // libraries hold other type_info objects for the same type, compared by
    // name once and then by address.
    std::atomic<const std::type_info*> acceptedSendType;
};

struct MethodCacheTable {
    uint64_t epoch;
    std::size_t mask; // capacity - 1, capacity a power of two
    std::size_t used = 0;
    std::unique_ptr<std::atomic<CacheEntry*>[]> slots;

    MethodCacheTable(uint64_t tableEpoch, std::size_t capacity);
};

class OBJC_EXPORT MethodCache {
  public:
    using Table = MethodCacheTable;

    static std::size_t home(SEL sel, std::size_t mask) {
        return (reinterpret_cast<std::uintptr_t>(sel) >> 4) & mask;
    }

    // The cached entry for `sel`, or null; never blocks.
    static CacheEntry* find(const std::atomic<Table*>& slot, SEL sel, uint64_t epoch) {
        const Table* table = slot.load(std::memory_order_acquire);
        if (!table || table->epoch != epoch)
            return nullptr;
        for (std::size_t i = home(sel, table->mask);; i = (i + 1) & table->mask) {
            CacheEntry* entry = table->slots[i].load(std::memory_order_acquire);
            if (!entry || entry->sel == sel)
                return entry;
        }
    }

    // Caches `method` for `sel`; the caller holds the runtime's lock.
    static CacheEntry* insert(std::atomic<Table*>& slot, SEL sel, objc_method method, uint64_t epoch);
};

} // namespace rt
