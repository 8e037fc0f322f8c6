#include <Foundation/PlistValue.h>

#include <charconv>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <limits>
#include <locale.h>
#include <stdlib.h>
#include <type_traits>

namespace ns {

namespace {

bool isSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

std::size_t skipSpace(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && isSpace(text[i]))
        ++i;
    return i;
}

// The device's string boolValue: after blanks, a sign and leading zeros, the
// first character decides.
bool stringBool(std::string_view text) {
    std::size_t i = skipSpace(text);
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        ++i;
    while (i < text.size() && text[i] == '0')
        ++i;
    if (i == text.size())
        return false;
    const char c = text[i];
    return c == 'Y' || c == 'y' || c == 'T' || c == 't' || (c >= '1' && c <= '9');
}

// The device's string intValue / integerValue: leading decimal digits,
// saturating at the type's limits, 0 when there are none.
template <class Int> Int stringInteger(std::string_view text) {
    using Unsigned = std::make_unsigned_t<Int>;
    std::size_t i = skipSpace(text);
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    const Unsigned limit = static_cast<Unsigned>(std::numeric_limits<Int>::max()) + (negative ? 1 : 0);
    Unsigned magnitude = 0;
    for (; i < text.size() && isDigit(text[i]); ++i) {
        const Unsigned digit = static_cast<Unsigned>(text[i] - '0');
        if (magnitude > (limit - digit) / 10)
            return negative ? std::numeric_limits<Int>::min() : std::numeric_limits<Int>::max();
        magnitude = magnitude * 10 + digit;
    }
    // Modular conversion is defined in C++20 and gives the minimum for the full negative range.
    return negative ? static_cast<Int>(Unsigned{0} - magnitude) : static_cast<Int>(magnitude);
}

// strtod on the leading part, independent of the process locale. Hexadecimal
// text is not a number to the device's strings.
double stringDouble(const std::string& text) {
    std::size_t i = skipSpace(text);
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        ++i;
    if (i + 1 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X'))
        return 0;
    static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    return strtod_l(text.c_str(), nullptr, cLocale);
}

// Truncation toward zero that saturates instead of being undefined.
template <class Int> Int truncateSaturating(double value) {
    if (std::isnan(value))
        return 0;
    const double bound = std::ldexp(1.0, std::numeric_limits<Int>::digits);
    if (value >= bound)
        return std::numeric_limits<Int>::max();
    if (value < -bound)
        return std::numeric_limits<Int>::min();
    return static_cast<Int>(value);
}

std::string realText(double value) {
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

std::string quoted(const std::string& text) {
    std::string out = "\"";
    for (const char c : text) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (c == '\n') {
            out += "\\n";
        } else if (c == '\t') {
            out += "\\t";
        } else if (static_cast<unsigned char>(c) < 0x20) {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\u%04x", static_cast<unsigned>(c));
            out += escape;
        } else {
            out += c;
        }
    }
    return out + "\"";
}

std::string dateText(double secondsSince2001) {
    constexpr double kUnixOffset = 978307200.0;
    const double unixSeconds = std::floor(secondsSince2001) + kUnixOffset;
    // Beyond what the calendar functions can take: show the number itself.
    if (!(std::fabs(unixSeconds) < 1e15))
        return realText(secondsSince2001);
    const std::time_t whole = static_cast<std::time_t>(unixSeconds);
    std::tm parts{};
    if (!gmtime_r(&whole, &parts))
        return realText(secondsSince2001);
    char buffer[64];
    std::strftime(buffer, sizeof buffer, "%Y-%m-%dT%H:%M:%S", &parts);
    std::string out = buffer;
    const double fraction = secondsSince2001 - std::floor(secondsSince2001);
    const long micros = std::lround(fraction * 1e6);
    if (micros > 0 && micros < 1000000) {
        char digits[16];
        std::snprintf(digits, sizeof digits, ".%06ld", micros);
        out += digits;
    }
    return out + "Z";
}

std::string describe(const PlistValue& value, bool nested) {
    switch (value.kind()) {
    case PlistValue::Kind::Null:
        return "null";
    case PlistValue::Kind::Bool:
        return *value.asBool() ? "true" : "false";
    case PlistValue::Kind::Integer:
    case PlistValue::Kind::Real:
        return value.stringValue();
    case PlistValue::Kind::String:
        return nested ? quoted(*value.asString()) : *value.asString();
    case PlistValue::Kind::Data: {
        static constexpr char kHex[] = "0123456789abcdef";
        std::string out = "<";
        for (const std::uint8_t byte : *value.asData()) {
            out += kHex[byte >> 4];
            out += kHex[byte & 0xF];
        }
        return out + ">";
    }
    case PlistValue::Kind::Date:
        return dateText(value.asDate()->secondsSince2001);
    case PlistValue::Kind::Array: {
        std::string out = "[";
        const char* separator = "";
        for (const PlistValue& item : *value.asArray()) {
            out += separator + describe(item, true);
            separator = ", ";
        }
        return out + "]";
    }
    case PlistValue::Kind::Dictionary: {
        std::string out = "{";
        const char* separator = "";
        for (const auto& [key, item] : *value.asDictionary()) {
            out += separator + quoted(key) + ": " + describe(item, true);
            separator = ", ";
        }
        return out + "}";
    }
    }
    return {};
}

} // namespace

PlistValue::PlistValue() noexcept = default;
PlistValue::PlistValue(bool value) noexcept : m_storage(value) {}
PlistValue::PlistValue(std::int64_t value, IntegerTag) noexcept : m_storage(value) {}
PlistValue::PlistValue(double value, RealTag) noexcept : m_storage(value) {}
PlistValue::PlistValue(const char* value) {
    if (value)
        m_storage = std::string(value);
}
PlistValue::PlistValue(std::string_view value) : m_storage(std::string(value)) {}
PlistValue::PlistValue(std::string value) noexcept : m_storage(std::move(value)) {}
PlistValue::PlistValue(PlistData value) noexcept : m_storage(std::move(value)) {}
PlistValue::PlistValue(Date value) noexcept : m_storage(value) {}
PlistValue::PlistValue(PlistArray value) : m_storage(std::make_unique<PlistArray>(std::move(value))) {}
PlistValue::PlistValue(PlistDictionary value)
    : m_storage(std::make_unique<PlistDictionary>(std::move(value))) {}

PlistValue::PlistValue(const PlistValue& other) {
    std::visit(
        [this](const auto& held) {
            using Held = std::decay_t<decltype(held)>;
            if constexpr (std::is_same_v<Held, std::unique_ptr<PlistArray>> ||
                          std::is_same_v<Held, std::unique_ptr<PlistDictionary>>)
                m_storage = std::make_unique<typename Held::element_type>(*held);
            else
                m_storage = held;
        },
        other.m_storage);
    m_wideUnsigned = other.m_wideUnsigned;
}

PlistValue::PlistValue(PlistValue&& other) noexcept
    : m_storage(std::move(other.m_storage)), m_wideUnsigned(other.m_wideUnsigned) {
    other.m_storage = std::monostate{};
    other.m_wideUnsigned = false;
}

PlistValue& PlistValue::operator=(const PlistValue& other) {
    if (this != &other)
        *this = PlistValue(other);
    return *this;
}

PlistValue& PlistValue::operator=(PlistValue&& other) noexcept {
    if (this != &other) {
        // Moving first keeps `other` alive if it lives inside this value.
        Storage taken = std::move(other.m_storage);
        const bool wideUnsigned = other.m_wideUnsigned;
        other.m_storage = std::monostate{};
        other.m_wideUnsigned = false;
        m_storage = std::move(taken);
        m_wideUnsigned = wideUnsigned;
    }
    return *this;
}

PlistValue::~PlistValue() = default;

PlistValue::Kind PlistValue::kind() const noexcept {
    return static_cast<Kind>(m_storage.index());
}

std::optional<bool> PlistValue::asBool() const noexcept {
    if (const auto* held = std::get_if<bool>(&m_storage))
        return *held;
    return std::nullopt;
}

std::optional<std::uint64_t> PlistValue::asUnsigned() const noexcept {
    const auto* held = std::get_if<std::int64_t>(&m_storage);
    if (!held || (*held < 0 && !m_wideUnsigned))
        return std::nullopt;
    return static_cast<std::uint64_t>(*held);
}

std::optional<std::int64_t> PlistValue::asInteger() const noexcept {
    if (const auto* held = std::get_if<std::int64_t>(&m_storage))
        return *held;
    return std::nullopt;
}

std::optional<double> PlistValue::asReal() const noexcept {
    if (const auto* held = std::get_if<double>(&m_storage))
        return *held;
    return std::nullopt;
}

std::optional<PlistValue::Date> PlistValue::asDate() const noexcept {
    if (const auto* held = std::get_if<Date>(&m_storage))
        return *held;
    return std::nullopt;
}

const std::string* PlistValue::asString() const noexcept {
    return std::get_if<std::string>(&m_storage);
}
const PlistData* PlistValue::asData() const noexcept {
    return std::get_if<PlistData>(&m_storage);
}

const PlistArray* PlistValue::asArray() const noexcept {
    const auto* held = std::get_if<std::unique_ptr<PlistArray>>(&m_storage);
    return held ? held->get() : nullptr;
}

PlistArray* PlistValue::asArray() noexcept {
    auto* held = std::get_if<std::unique_ptr<PlistArray>>(&m_storage);
    return held ? held->get() : nullptr;
}

const PlistDictionary* PlistValue::asDictionary() const noexcept {
    const auto* held = std::get_if<std::unique_ptr<PlistDictionary>>(&m_storage);
    return held ? held->get() : nullptr;
}

PlistDictionary* PlistValue::asDictionary() noexcept {
    auto* held = std::get_if<std::unique_ptr<PlistDictionary>>(&m_storage);
    return held ? held->get() : nullptr;
}

bool PlistValue::hasNumberConversion() const noexcept {
    return isNumber() || isString();
}

bool PlistValue::boolValue() const noexcept {
    switch (kind()) {
    case Kind::Bool:
        return std::get<bool>(m_storage);
    case Kind::Integer:
        return std::get<std::int64_t>(m_storage) != 0;
    case Kind::Real:
        return std::get<double>(m_storage) != 0.0;
    case Kind::String:
        return stringBool(std::get<std::string>(m_storage));
    default:
        return false;
    }
}

std::int32_t PlistValue::intValue() const noexcept {
    switch (kind()) {
    case Kind::Bool:
        return std::get<bool>(m_storage) ? 1 : 0;
    case Kind::Integer:
        return static_cast<std::int32_t>(static_cast<std::uint32_t>(std::get<std::int64_t>(m_storage)));
    case Kind::Real:
        return truncateSaturating<std::int32_t>(std::get<double>(m_storage));
    case Kind::String:
        return stringInteger<std::int32_t>(std::get<std::string>(m_storage));
    default:
        return 0;
    }
}

std::int64_t PlistValue::integerValue() const noexcept {
    switch (kind()) {
    case Kind::Bool:
        return std::get<bool>(m_storage) ? 1 : 0;
    case Kind::Integer:
        return std::get<std::int64_t>(m_storage);
    case Kind::Real:
        return truncateSaturating<std::int64_t>(std::get<double>(m_storage));
    case Kind::String:
        return stringInteger<std::int64_t>(std::get<std::string>(m_storage));
    default:
        return 0;
    }
}

double PlistValue::doubleValue() const noexcept {
    switch (kind()) {
    case Kind::Bool:
        return std::get<bool>(m_storage) ? 1.0 : 0.0;
    case Kind::Integer:
        if (m_wideUnsigned)
            return static_cast<double>(static_cast<std::uint64_t>(std::get<std::int64_t>(m_storage)));
        return static_cast<double>(std::get<std::int64_t>(m_storage));
    case Kind::Real:
        return std::get<double>(m_storage);
    case Kind::String:
        return stringDouble(std::get<std::string>(m_storage));
    default:
        return 0.0;
    }
}

float PlistValue::floatValue() const noexcept {
    const double value = doubleValue();
    // Out of float range the conversion is undefined; the device's answer is infinity.
    if (std::isfinite(value) && std::fabs(value) > std::numeric_limits<float>::max())
        return value > 0 ? std::numeric_limits<float>::infinity() : -std::numeric_limits<float>::infinity();
    return static_cast<float>(value);
}

std::string PlistValue::stringValue() const {
    switch (kind()) {
    case Kind::Bool:
        return std::get<bool>(m_storage) ? "1" : "0";
    case Kind::Integer:
        if (m_wideUnsigned)
            return std::to_string(static_cast<std::uint64_t>(std::get<std::int64_t>(m_storage)));
        return std::to_string(std::get<std::int64_t>(m_storage));
    case Kind::Real:
        return realText(std::get<double>(m_storage));
    case Kind::String:
        return std::get<std::string>(m_storage);
    default:
        return {};
    }
}

std::string PlistValue::description() const {
    return describe(*this, false);
}

bool PlistValue::operator==(const PlistValue& other) const {
    if (kind() != other.kind() || m_wideUnsigned != other.m_wideUnsigned)
        return false;
    if (const PlistArray* array = asArray())
        return *array == *other.asArray();
    if (const PlistDictionary* dictionary = asDictionary())
        return *dictionary == *other.asDictionary();
    // A stored NaN is the same value when read again: equality stays reflexive.
    if (const double* real = std::get_if<double>(&m_storage); real && std::isnan(*real))
        return std::isnan(std::get<double>(other.m_storage));
    return m_storage == other.m_storage;
}

} // namespace ns
