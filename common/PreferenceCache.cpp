#include "PreferenceCache.h"

#include "PreferencePass.h"

#include <Foundation/PlistFile.h>

namespace {

const PreferenceCache::Dictionary& emptyDictionary() {
    static const PreferenceCache::Dictionary empty = std::make_shared<const ns::PlistDictionary>();
    return empty;
}

} // namespace

PreferenceCache::Dictionary PreferenceCache::read(const std::string& path) {
    const std::uint64_t pass = PreferencePass::current();
    if (m_validation == Validation::FirstReadForever || pass != 0) {
        std::lock_guard guard(m_lock);
        if (auto it = m_entries.find(path);
            it != m_entries.end() &&
            (m_validation == Validation::FirstReadForever || it->second.checkedInPass == pass))
            return it->second.dictionary;
    }
    return check(path, pass);
}

PreferenceCache::Dictionary PreferenceCache::readNow(const std::string& path) {
    return check(path, 0);
}

void PreferenceCache::forget(const std::string& path) {
    std::lock_guard guard(m_lock);
    m_entries.erase(path);
}

PreferenceCache::Dictionary PreferenceCache::check(const std::string& path, std::uint64_t pass) {
    // Taken before the stamp: a change after the stamp gets a change time no
    // earlier than this (less one clock step), so a stamp settled against this
    // moment cannot come back with other content.
    const auto now = std::chrono::system_clock::now();
    if (!m_quickStamps)
        return readChecking(path, m_stamps(path), now, pass);
    const auto quick = m_quickStamps(path);
    if (quick && quick->kind == ns::FileStamp::Kind::Regular) {
        std::lock_guard guard(m_lock);
        if (auto it = m_entries.find(path); it != m_entries.end() && it->second.stamp == *quick) {
            it->second.checkedInPass = pass;
            return it->second.dictionary;
        }
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
        m_entries.insert_or_assign(path, Entry{stamp, dictionary, pass});
    else
        m_entries.erase(path);
    return dictionary;
}

PreferenceCache::Dictionary PreferenceCache::readChecking(const std::string& path,
                                                          const std::optional<ns::FileStamp>& stamp,
                                                          std::chrono::system_clock::time_point now,
                                                          std::uint64_t pass) {
    if (!stamp || stamp->kind != ns::FileStamp::Kind::Regular) {
        std::lock_guard guard(m_lock);
        m_entries.erase(path);
        return emptyDictionary();
    }
    {
        std::lock_guard guard(m_lock);
        if (auto it = m_entries.find(path); it != m_entries.end() && it->second.stamp == *stamp) {
            it->second.checkedInPass = pass;
            return it->second.dictionary;
        }
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
        m_entries.insert_or_assign(path, Entry{*stamp, dictionary, pass});
    else
        m_entries.erase(path);
    return dictionary;
}
