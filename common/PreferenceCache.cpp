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
    if (!m_quickStamps)
        return readChecking(path, m_stamps(path), now);
    const auto quick = m_quickStamps(path);
    if (quick && quick->kind == ns::FileStamp::Kind::Regular) {
        std::lock_guard guard(m_lock);
        if (auto it = m_entries.find(path); it != m_entries.end() && it->second.stamp == *quick)
            return it->second.dictionary;
    }
    // The file read carries its own stamp, taken from the open file: kept
    // only where the quick lookup found that same file.
    auto file = ns::PlistFile::readStampedDictionary(path);
    std::lock_guard guard(m_lock);
    if (!file.ok()) {
        m_entries.erase(path);
        return emptyDictionary();
    }
    const ns::FileStamp stamp = file.value().stamp;
    Dictionary dictionary = std::make_shared<const ns::PlistDictionary>(std::move(file).value().dictionary);
    const bool settled =
        m_validation != Validation::Stamp || stamp.changed <= now - std::chrono::nanoseconds(kSettleTime);
    if (settled && quick == stamp)
        m_entries.insert_or_assign(path, Entry{stamp, dictionary});
    else
        m_entries.erase(path);
    return dictionary;
}

PreferenceCache::Dictionary PreferenceCache::readChecking(const std::string& path,
                                                          const std::optional<ns::FileStamp>& stamp,
                                                          std::chrono::system_clock::time_point now) {
    if (!stamp || stamp->kind != ns::FileStamp::Kind::Regular) {
        std::lock_guard guard(m_lock);
        m_entries.erase(path);
        return emptyDictionary();
    }
    {
        std::lock_guard guard(m_lock);
        if (auto it = m_entries.find(path); it != m_entries.end() && it->second.stamp == *stamp)
            return it->second.dictionary;
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
    if (file.ok() && settled)
        m_entries.insert_or_assign(path, Entry{*stamp, dictionary});
    else
        m_entries.erase(path);
    return dictionary;
}
