#include "Tableau.h"

namespace layout {

void Tableau::insert(Symbol basic, Row row) {
    std::size_t slot;
    if (m_freeSlots.empty()) {
        slot = m_entries.size();
        m_entries.push_back(Entry{});
    } else {
        slot = m_freeSlots.back();
        m_freeSlots.pop_back();
        save(slot);
    }
    m_entries[slot] = Entry{basic, std::move(row)};
    if (basic.id >= m_slotOf.size())
        m_slotOf.resize(basic.id + 1, -1);
    m_slotOf[basic.id] = static_cast<int>(slot);
}

Row Tableau::take(Symbol basic) {
    std::size_t slot = static_cast<std::size_t>(m_slotOf[basic.id]);
    save(slot);
    Row row = std::move(m_entries[slot].row);
    m_entries[slot] = Entry{};
    m_slotOf[basic.id] = -1;
    m_freeSlots.push_back(static_cast<std::uint32_t>(slot));
    return row;
}

void Tableau::clear() {
    m_entries.clear();
    m_freeSlots.clear();
    m_slotOf.clear();
    dropJournal();
}

void Tableau::beginJournal() {
    m_journaling = true;
    ++m_epoch;
    m_journalSlotCount = m_entries.size();
    m_savedIn.resize(m_entries.size(), 0);
    m_journalFreeSlots = m_freeSlots;
}

void Tableau::dropJournal() {
    m_journaling = false;
    m_saved.clear();
}

void Tableau::rollBack() {
    // Unindex whatever sits now in a touched or new slot, then put the saved
    // rows back: a symbol that moved left one touched slot for another.
    for (const auto& [slot, entry] : m_saved)
        if (m_entries[slot].basic.valid())
            m_slotOf[m_entries[slot].basic.id] = -1;
    for (std::size_t slot = m_journalSlotCount; slot < m_entries.size(); ++slot)
        if (m_entries[slot].basic.valid())
            m_slotOf[m_entries[slot].basic.id] = -1;
    m_entries.resize(m_journalSlotCount);
    for (auto& [slot, entry] : m_saved) {
        if (entry.basic.valid())
            m_slotOf[entry.basic.id] = static_cast<int>(slot);
        m_entries[slot] = std::move(entry);
    }
    m_freeSlots = std::move(m_journalFreeSlots);
    dropJournal();
}

} // namespace layout
