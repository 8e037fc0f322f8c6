#pragma once
#include <Preferences/PSSpecifier.h>

#include <optional>
#include <string>

// Reading a row's layout keys the way the pane's cells need them.
namespace rowProperties {

// The key's text; nothing when the key is missing or holds no string.
inline std::optional<std::string> optionalText(const PSSpecifier* row, const char* key) {
    const ns::PlistValue value = row ? row->propertyForKey(key) : ns::PlistValue();
    if (const std::string* text = value.asString())
        return *text;
    return std::nullopt;
}

// The key's text, empty when missing.
inline std::string text(const PSSpecifier* row, const char* key) {
    return optionalText(row, key).value_or("");
}

} // namespace rowProperties
