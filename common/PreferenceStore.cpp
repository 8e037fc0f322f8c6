#include "PreferenceStore.h"

#include <Foundation/PlistFile.h>
#include <Foundation/PlistFileLock.h>

PreferenceCache::Dictionary PreferenceStore::readShared(const OptionalString& ID) const {
    static const PreferenceCache::Dictionary kNothing = std::make_shared<const ns::PlistDictionary>();
    if (!ID)
        return kNothing;
    return m_cache.read(cachedPathForID(*ID));
}

const std::string& PreferenceStore::cachedPathForID(const std::string& ID) const {
    std::lock_guard guard(m_pathLock);
    auto it = m_paths.find(ID);
    if (it == m_paths.end())
        it = m_paths.emplace(ID, pathForID(ID)).first;
    return it->second;
}

ns::PlistDictionary PreferenceStore::read(const OptionalString& ID) const {
    if (!ID)
        return {};
    return *m_cache.readNow(cachedPathForID(*ID));
}

void PreferenceStore::write(const OptionalString& ID, const ns::PlistDictionary& dictionary) const {
    if (!ID)
        return;
    // A failed write leaves the old file; nothing is reported. Either way the
    // next read, in a layout pass too, looks at the file again.
    (void)ns::PlistFile::writeDictionary(cachedPathForID(*ID), dictionary);
    m_cache.forget(cachedPathForID(*ID));
}

void PreferenceStore::store(const OptionalString& key, ns::PlistValue value, const OptionalString& ID) const {
    if (!ID || !key || value.isNull())
        return;
    // Held from the read to the rename, so that no other writer's change is lost.
    const auto lock = ns::PlistFileLock::acquire(pathForID(*ID));
    if (!lock)
        return;
    ns::PlistDictionary dictionary = read(ID);
    dictionary[*key] = std::move(value);
    write(ID, dictionary);
}

void PreferenceStore::setBool(BOOL value, const OptionalString& key, const OptionalString& ID) const {
    store(key, ns::PlistValue(static_cast<bool>(value)), ID);
}

void PreferenceStore::setObject(const ns::PlistValue& value, const OptionalString& key,
                                const OptionalString& ID) const {
    store(key, value, ID);
}

void PreferenceStore::setFloat(float value, const OptionalString& key, const OptionalString& ID) const {
    store(key, ns::PlistValue(static_cast<double>(value)), ID);
}

void PreferenceStore::setInt(int32_t value, const OptionalString& key, const OptionalString& ID) const {
    store(key, ns::PlistValue(static_cast<int64_t>(value)), ID);
}

void PreferenceStore::setInteger(int64_t value, const OptionalString& key, const OptionalString& ID) const {
    store(key, ns::PlistValue(value), ID);
}

void PreferenceStore::removeObjectForKey(const OptionalString& key, const OptionalString& ID) const {
    if (!ID || !key)
        return;
    const auto lock = ns::PlistFileLock::acquire(pathForID(*ID));
    if (!lock)
        return;
    ns::PlistDictionary dictionary = read(ID);
    dictionary.erase(*key);
    write(ID, dictionary); // rewritten even when the key was not there
}

ns::PlistValue PreferenceStore::objectForKey(const OptionalString& key, const ns::PlistValue& defaultValue,
                                             const OptionalString& ID) const {
    if (!key)
        return defaultValue;
    const PreferenceCache::Dictionary dictionary = readShared(ID);
    auto it = dictionary->find(*key);
    return it == dictionary->end() ? defaultValue : it->second;
}

ns::PlistValue PreferenceStore::objectForKey(const OptionalString& key, const OptionalString& ID) const {
    return objectForKey(key, ns::PlistValue(), ID);
}

std::optional<ns::PlistValue> PreferenceStore::numberForKey(const OptionalString& key,
                                                            const OptionalString& ID) const {
    // Arrays, dictionaries, dates and data have no number conversion: they
    // answer like a missing key instead of failing.
    ns::PlistValue value = objectForKey(key, ID);
    if (!value.hasNumberConversion())
        return std::nullopt;
    return value;
}

BOOL PreferenceStore::boolForKey(const OptionalString& key, BOOL defaultValue,
                                 const OptionalString& ID) const {
    auto value = numberForKey(key, ID);
    return value ? value->boolValue() : defaultValue;
}

float PreferenceStore::floatForKey(const OptionalString& key, float defaultValue,
                                   const OptionalString& ID) const {
    auto value = numberForKey(key, ID);
    if (!value)
        return defaultValue;
    float stored = value->floatValue();
    return stored == 0.0f ? defaultValue : stored;
}

int32_t PreferenceStore::intForKey(const OptionalString& key, int32_t defaultValue,
                                   const OptionalString& ID) const {
    auto value = numberForKey(key, ID);
    return value ? value->intValue() : defaultValue;
}

int64_t PreferenceStore::integerForKey(const OptionalString& key, int64_t defaultValue,
                                       const OptionalString& ID) const {
    auto value = numberForKey(key, ID);
    return value ? static_cast<int64_t>(value->intValue()) : defaultValue;
}

BOOL PreferenceStore::boolForKey(const OptionalString& key, const OptionalString& ID) const {
    return boolForKey(key, NO, ID);
}

float PreferenceStore::floatForKey(const OptionalString& key, const OptionalString& ID) const {
    auto value = numberForKey(key, ID);
    return value ? value->floatValue() : 0.0f;
}

int32_t PreferenceStore::intForKey(const OptionalString& key, const OptionalString& ID) const {
    return intForKey(key, 0, ID);
}

int64_t PreferenceStore::integerForKey(const OptionalString& key, const OptionalString& ID) const {
    return integerForKey(key, 0, ID);
}

rt::Ref<UIColor> PreferenceStore::colourForKey(const OptionalString& key, const std::string& defaultColour,
                                               const OptionalString& ID) const {
    if (!key)
        return m_codec.colorWithHexString(defaultColour);
    // Decoded from the kept dictionary in place: a colour answer copies nothing.
    const PreferenceCache::Dictionary dictionary = readShared(ID);
    auto it = dictionary->find(*key);
    const std::string* stored = it == dictionary->end() ? nullptr : it->second.asString();
    return m_codec.colorWithHexString(stored ? *stored : defaultColour);
}
