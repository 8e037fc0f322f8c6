#pragma once
// The rows of the simplex tableau, each under its basic symbol. Rows live in
// slots that are reused, with an index from symbol id to slot, so that finding
// a row is a lookup and walking them all is a walk over one array.
//
// A journal can record the tableau before a change that may have to be taken
// back: each slot is copied the first time it is touched, so the cost is paid
// only by the rows the change reaches, and only while the journal is open.
#include "Row.h"

#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

namespace layout {

class Tableau {
  public:
    // Null if the symbol is not basic.
    const Row* find(Symbol basic) const {
        int slot = slotOf(basic);
        return slot < 0 ? nullptr : &m_entries[slot].row;
    }
    Row* modify(Symbol basic) {
        int slot = slotOf(basic);
        return slot < 0 ? nullptr : &modifyAt(slot);
    }
    int slotOf(Symbol basic) const { return basic.id < m_slotOf.size() ? m_slotOf[basic.id] : -1; }

    void insert(Symbol basic, Row row);
    // The symbol must be basic.
    Row take(Symbol basic);
    void clear();

    // Slots, some of them free (an invalid basic symbol).
    std::size_t slotCount() const { return m_entries.size(); }
    Symbol basicAt(std::size_t slot) const { return m_entries[slot].basic; }
    const Row& rowAt(std::size_t slot) const { return m_entries[slot].row; }
    Row& modifyAt(std::size_t slot) {
        save(slot);
        return m_entries[slot].row;
    }

    void beginJournal();
    // Keeps every change since beginJournal().
    void dropJournal();
    // Puts every slot back as it was at beginJournal().
    void rollBack();

  private:
    struct Entry {
        Symbol basic;
        Row row;
    };

    void save(std::size_t slot) {
        if (m_journaling && slot < m_journalSlotCount && m_savedIn[slot] != m_epoch) {
            m_savedIn[slot] = m_epoch;
            m_saved.emplace_back(static_cast<std::uint32_t>(slot), m_entries[slot]);
        }
    }

    std::vector<Entry> m_entries;
    std::vector<std::uint32_t> m_freeSlots;
    std::vector<int> m_slotOf;

    bool m_journaling = false;
    std::uint32_t m_epoch = 0;
    std::vector<std::uint32_t> m_savedIn;
    std::vector<std::pair<std::uint32_t, Entry>> m_saved;
    std::size_t m_journalSlotCount = 0;
    std::vector<std::uint32_t> m_journalFreeSlots;
};

} // namespace layout
