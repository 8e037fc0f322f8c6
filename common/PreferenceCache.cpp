#include "PreferenceCache.h"

#include <Foundation/PlistFile.h>

namespace {

const PreferenceCache::Dictionary& emptyDictionary() {
    static const PreferenceCache::Dictionary empty = std::make_shared<const ns::PlistDictionary>();
    return empty;
}

} // namespace

PreferenceCache::Dictionary PreferenceCache::read(const std::string& path) {
    if (m_validation == Validation::FirstReadForever) {
        std::lock_guard guard(m_lock);
        if (auto it = m_entries.find(path); it != m_entries.end())
            return it->second.dictionary;
    }

    // Taken before the stamp: a change after the stamp gets a change time no
    // earlier than this (less one clock step), so a stamp settled against this
    // moment cannot come back with other content.
    const auto now = std::chrono::system_clock::now();
    const auto quick = m_quickStamps ? m_quickStamps(path) : m_stamps(path);
    if (quick && quick->kind == ns::FileStamp::Kind::Regular) {
        std::lock_guard guard(m_lock);
        if (auto it = m_entries.find(path); it != m_entries.end() && it->second.stamp == *quick)
            return it->second.dictionary;
    }
    const auto stamp = m_quickStamps ? m_stamps(path) : quick;
    if (!stamp || stamp->kind != ns::FileStamp::Kind::Regular) {
        std::lock_guard guard(m_lock);
        m_entries.erase(path);
        return emptyDictionary();
    }

    // Read after the stamp, so the content is that version or a later one; a
    // later one carries another stamp and is read again by the next call.
    auto file = ns::PlistFile::readDictionary(path);
    const bool settled =
        m_validation != Validation::Stamp || stamp->changed <= now - std::chrono::nanoseconds(kSettleTime);
    Dictionary dictionary =
        file.ok() ? std::make_shared<const ns::PlistDictionary>(std::move(file).value()) : emptyDictionary();
    std::lock_guard guard(m_lock);
    // A failed read may be passing (no descriptors left, a replacement in
    // flight), so only a parsed file is kept.
    // Kept only where both lookups find this file: the quick one recognises it.
    if (file.ok() && settled && quick == stamp)
        m_entries.insert_or_assign(path, Entry{*stamp, dictionary});
    else
        m_entries.erase(path);
    return dictionary;
}
