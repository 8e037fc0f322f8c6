#include <objc/MethodCache.h>

#include <mutex>
#include <vector>

namespace rt {

std::atomic<uint64_t> g_methodEpoch{1};

MethodCacheTable::MethodCacheTable(uint64_t tableEpoch, std::size_t capacity)
    : epoch(tableEpoch), mask(capacity - 1), slots(new std::atomic<CacheEntry*>[capacity]) {
    for (std::size_t i = 0; i < capacity; ++i)
        slots[i].store(nullptr, std::memory_order_relaxed);
}

namespace {

constexpr std::size_t kInitialCapacity = 8;

// Retired tables and entries stay allocated: a reader may still be probing
// them. They are few (one set per class per epoch change, and epochs change
// when classes are registered and methods hooked, at load).
std::vector<std::unique_ptr<MethodCache::Table>>& retiredTables() {
    static auto* tables = new std::vector<std::unique_ptr<MethodCache::Table>>;
    return *tables;
}
std::vector<std::unique_ptr<CacheEntry>>& entries() {
    static auto* all = new std::vector<std::unique_ptr<CacheEntry>>;
    return *all;
}

void place(MethodCache::Table& table, CacheEntry* entry) {
    std::size_t i = MethodCache::home(entry->sel, table.mask);
    while (table.slots[i].load(std::memory_order_relaxed))
        i = (i + 1) & table.mask;
    table.slots[i].store(entry, std::memory_order_release);
    ++table.used;
}

} // namespace

CacheEntry* MethodCache::insert(std::atomic<Table*>& slot, SEL sel, objc_method method, uint64_t epoch) {
    Table* table = slot.load(std::memory_order_relaxed);
    if (CacheEntry* present = find(slot, sel, epoch))
        return present;
    entries().push_back(std::unique_ptr<CacheEntry>(new CacheEntry{sel, method, {method.type}}));
    CacheEntry* entry = entries().back().get();

    const bool stale = !table || table->epoch != epoch;
    const bool full = !stale && (table->used + 1) * 4 > (table->mask + 1) * 3;
    if (stale || full) {
        // A new table: empty after an epoch change, the old entries when grown.
        auto grown = std::make_unique<Table>(epoch, stale ? kInitialCapacity : (table->mask + 1) * 2);
        if (!stale)
            for (std::size_t i = 0; i <= table->mask; ++i)
                if (CacheEntry* old = table->slots[i].load(std::memory_order_relaxed))
                    place(*grown, old);
        place(*grown, entry);
        slot.store(grown.get(), std::memory_order_release);
        retiredTables().push_back(std::move(grown));
        return entry;
    }
    place(*table, entry);
    return entry;
}

} // namespace rt
