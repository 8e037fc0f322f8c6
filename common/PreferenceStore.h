#pragma once
#include "HexColorCodec.h"
#include "PreferenceCache.h"

#include <Foundation/PlistValue.h>

#include <cstdint>
#include <mutex>
#include <optional>
#include <string>
#include <unordered_map>

// The settings store both deliverables share. Every call answers from the
// domain's file as it is at that moment (the parsed file is kept only while
// its stamp is unchanged) and every change rewrites the whole file atomically,
// so a reader always sees one complete version. Subclasses choose where a
// domain's file lives and which colour "blue" names.
//
// A missing ID (or key) reads as nothing stored and writes nothing.
class PreferenceStore {
  public:
    using OptionalString = std::optional<std::string>;

    void setBool(BOOL value, const OptionalString& key, const OptionalString& ID) const;
    void setObject(const ns::PlistValue& value, const OptionalString& key, const OptionalString& ID) const;
    void setFloat(float value, const OptionalString& key, const OptionalString& ID) const;
    void setInt(int32_t value, const OptionalString& key, const OptionalString& ID) const;
    void setInteger(int64_t value, const OptionalString& key, const OptionalString& ID) const;

    // Presence decides, not truth: a stored NO answers NO whatever the default.
    BOOL boolForKey(const OptionalString& key, BOOL defaultValue, const OptionalString& ID) const;
    ns::PlistValue objectForKey(const OptionalString& key, const ns::PlistValue& defaultValue,
                                const OptionalString& ID) const;
    // A stored 0.0 answers the default too.
    float floatForKey(const OptionalString& key, float defaultValue, const OptionalString& ID) const;
    int32_t intForKey(const OptionalString& key, int32_t defaultValue, const OptionalString& ID) const;
    // Read through the 32-bit conversion, then sign-extended, as the platform does.
    int64_t integerForKey(const OptionalString& key, int64_t defaultValue, const OptionalString& ID) const;

    BOOL boolForKey(const OptionalString& key, const OptionalString& ID) const;
    ns::PlistValue objectForKey(const OptionalString& key, const OptionalString& ID) const;
    float floatForKey(const OptionalString& key, const OptionalString& ID) const;
    int32_t intForKey(const OptionalString& key, const OptionalString& ID) const;
    int64_t integerForKey(const OptionalString& key, const OptionalString& ID) const;

    // The stored value when it converts to a number; otherwise nothing, as for
    // a missing key. Every number getter above reads through this.
    std::optional<ns::PlistValue> numberForKey(const OptionalString& key, const OptionalString& ID) const;

    // The stored hex colour string, or the default string parsed anew. A value
    // that is not a string counts as nothing stored.
    rt::Ref<UIColor> colourForKey(const OptionalString& key, const std::string& defaultColour,
                                  const OptionalString& ID) const;
    void removeObjectForKey(const OptionalString& key, const OptionalString& ID) const;
    rt::Ref<UIColor> colorWithHexString(const std::string& text) const {
        return m_codec.colorWithHexString(text);
    }

    // The device path of a domain's file. Asked once per ID: a store's
    // directory is fixed by the time the process first uses the store.
    virtual std::string pathForID(const std::string& ID) const = 0;

  protected:
    explicit PreferenceStore(HexColorCodec::Variant variant) : m_codec(variant) {}
    virtual ~PreferenceStore() = default;

  private:
    // The one place the store reads files: the file as it is now, shared with
    // the cache, so a lookup copies nothing. Empty for a missing ID.
    PreferenceCache::Dictionary readShared(const OptionalString& ID) const;
    // A copy to change and write back: the file as it is now, even inside a
    // layout pass, so that no other writer's change is lost.
    ns::PlistDictionary read(const OptionalString& ID) const;
    void write(const OptionalString& ID, const ns::PlistDictionary& dictionary) const;
    void store(const OptionalString& key, ns::PlistValue value, const OptionalString& ID) const;

    const std::string& cachedPathForID(const std::string& ID) const;

    HexColorCodec m_codec;
    mutable PreferenceCache m_cache;
    mutable std::mutex m_pathLock;
    // Node-based, so a path handed out stays put while others are added.
    mutable std::unordered_map<std::string, std::string> m_paths;
};
