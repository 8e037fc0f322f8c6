#include "EngineKeys.h"

#include "HexColorCodec.h"

#include <algorithm>
#include <array>
#include <cctype>

namespace sim {

namespace {
// The names the codec reads before any digit.
constexpr std::array<std::string_view, 11> kColourNames{
    "red", "orange", "yellow", "green", "blue", "teal", "indigo", "purple", "pink", "default", "tertiary"};

std::string kindName(const ns::PlistValue& value) {
    switch (value.kind()) {
    case ns::PlistValue::Kind::Bool:
        return "a boolean";
    case ns::PlistValue::Kind::Integer:
        return "an integer";
    case ns::PlistValue::Kind::Real:
        return "a real number";
    case ns::PlistValue::Kind::String:
        return "the text '" + *value.asString() + "'";
    case ns::PlistValue::Kind::Data:
        return "data";
    case ns::PlistValue::Kind::Date:
        return "a date";
    case ns::PlistValue::Kind::Array:
        return "an array";
    case ns::PlistValue::Kind::Dictionary:
        return "a dictionary";
    case ns::PlistValue::Kind::Null:
        break;
    }
    return "nothing";
}
} // namespace

const PreferenceKey* EngineKeys::find(std::string_view key) {
    auto it = std::find_if(kEngineKeys.begin(), kEngineKeys.end(),
                           [&](const PreferenceKey& known) { return known.key == key; });
    return it == kEngineKeys.end() ? nullptr : &*it;
}

bool EngineKeys::isColourName(std::string_view text) {
    return std::find(kColourNames.begin(), kColourNames.end(), text) != kColourNames.end();
}

bool EngineKeys::readsAsColour(std::string_view text) {
    if (isColourName(text))
        return true;
    std::string digits;
    for (char c : text)
        if (c != '#')
            digits += c;
    // Other lengths and stray characters parse to something, but rarely to
    // what was meant ("0xff0000" is a transparent green).
    return (digits.size() == 3 || digits.size() == 6 || digits.size() == 8) &&
           std::all_of(digits.begin(), digits.end(), [](unsigned char c) { return std::isxdigit(c); });
}

std::optional<std::string> EngineKeys::problem(const PreferenceKey& key, const ns::PlistValue& value) {
    const std::string name(key.key);
    switch (key.type) {
    case PreferenceType::colour:
        if (!value.isString())
            return name + ": " + kindName(value) + " is not a colour (a hex string such as FF9500FF)";
        if (!readsAsColour(*value.asString()))
            return name + ": '" + *value.asString() +
                   "' is not a colour the codec reads (RRGGBBAA, RRGGBB, RGB or a colour name)";
        return std::nullopt;
    case PreferenceType::boolean:
        if (!value.isBool())
            return name + ": " + kindName(value) + " is not a switch value (true or false)";
        return std::nullopt;
    case PreferenceType::integer:
        if (!value.isInteger())
            return name + ": " + kindName(value) + " is not a blur style (an integer 0 to 2)";
        // Shown as stored: an unsigned value beyond the signed range is not -1.
        if (value.isWideUnsigned() || *value.asInteger() < 0 || *value.asInteger() > kMaxBlurStyle)
            return name + ": " + value.stringValue() + " is not a blur style (0 to 2)";
        return std::nullopt;
    }
    return name + ": unknown kind";
}

ns::Result<ns::PlistValue> EngineKeys::normalised(const PreferenceKey& key, const ns::PlistValue& stored) {
    switch (key.type) {
    case PreferenceType::colour: {
        if (auto why = problem(key, stored))
            return ns::Failure{ns::FailureKind::Malformed, {}, *why};
        if (isColourName(*stored.asString()))
            return stored;
        HexColorCodec codec(HexColorCodec::Variant::engine);
        return ns::PlistValue(
            HexColorCodec::hexStringFromColor(codec.colorWithHexString(*stored.asString())));
    }
    case PreferenceType::boolean:
        // The store reads numbers and number-like text as the platform does.
        if (!stored.hasNumberConversion())
            return ns::Failure{ns::FailureKind::Malformed,
                               {},
                               std::string(key.key) + ": " + kindName(stored) + " is not a switch value"};
        return ns::PlistValue(stored.boolValue());
    case PreferenceType::integer: {
        if (!stored.hasNumberConversion())
            return ns::Failure{ns::FailureKind::Malformed,
                               {},
                               std::string(key.key) + ": " + kindName(stored) + " is not a blur style"};
        if (stored.isInteger())
            if (auto why = problem(key, stored))
                return ns::Failure{ns::FailureKind::Malformed, {}, *why};
        ns::PlistValue style(static_cast<int64_t>(stored.intValue()));
        if (auto why = problem(key, style))
            return ns::Failure{ns::FailureKind::Malformed, {}, *why};
        return style;
    }
    }
    return ns::Failure{ns::FailureKind::Malformed, {}, std::string(key.key) + ": unknown kind"};
}

} // namespace sim
