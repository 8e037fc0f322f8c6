#pragma once
// One property-list value: what preference files hold and what the store hands
// out. Number conversions follow the device's number and string objects, since
// callers read booleans, ints and floats out of whatever a file contains.
#include <Foundation/FoundationDefines.h>

#include <concepts>
#include <cstdint>
#include <limits>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>
#include <variant>
#include <vector>

namespace ns {

class PlistValue;
using PlistArray = std::vector<PlistValue>;
using PlistDictionary = std::map<std::string, PlistValue>;
using PlistData = std::vector<std::uint8_t>;

class FOUNDATION_EXPORT PlistValue {
  public:
    enum class Kind { Null, Bool, Integer, Real, String, Data, Date, Array, Dictionary };

    // A point in time as property lists store it.
    struct Date {
        double secondsSince2001 = 0;
        bool operator==(const Date&) const = default;
    };

    PlistValue() noexcept;
    PlistValue(bool value) noexcept;
    // Unsigned values beyond the signed range keep their value and stay unsigned.
    template <std::integral I>
    requires(!std::same_as<I, bool>) PlistValue(I value)
    noexcept : PlistValue(static_cast<std::int64_t>(value), IntegerTag{}) {
        if constexpr (std::is_unsigned_v<I>)
            m_wideUnsigned = static_cast<std::uint64_t>(value) >
                             static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max());
    }
    template <std::floating_point F>
    PlistValue(F value) noexcept : PlistValue(static_cast<double>(value), RealTag{}) {}
    // A null pointer gives a null value rather than a crash.
    PlistValue(const char* value);
    // Other pointers would silently become booleans.
    template <class T>
    requires(!std::same_as<std::remove_cv_t<T>, char>) PlistValue(T*)
    = delete;
    PlistValue(std::string_view value);
    PlistValue(std::string value) noexcept;
    PlistValue(PlistData value) noexcept;
    PlistValue(Date value) noexcept;
    PlistValue(PlistArray value);
    PlistValue(PlistDictionary value);

    PlistValue(const PlistValue& other);
    // A moved-from value is null.
    PlistValue(PlistValue&& other) noexcept;
    PlistValue& operator=(const PlistValue& other);
    PlistValue& operator=(PlistValue&& other) noexcept;
    ~PlistValue();

    Kind kind() const noexcept;
    bool isNull() const noexcept { return kind() == Kind::Null; }
    bool isBool() const noexcept { return kind() == Kind::Bool; }
    bool isInteger() const noexcept { return kind() == Kind::Integer; }
    bool isReal() const noexcept { return kind() == Kind::Real; }
    // Booleans are numbers too, as on the device.
    bool isNumber() const noexcept { return isBool() || isInteger() || isReal(); }
    bool isString() const noexcept { return kind() == Kind::String; }
    bool isData() const noexcept { return kind() == Kind::Data; }
    bool isDate() const noexcept { return kind() == Kind::Date; }
    bool isArray() const noexcept { return kind() == Kind::Array; }
    bool isDictionary() const noexcept { return kind() == Kind::Dictionary; }

    // Typed access: empty (or null) when the value is of another kind.
    std::optional<bool> asBool() const noexcept;
    // An unsigned integer beyond the signed range answers its two's-complement bits.
    std::optional<std::int64_t> asInteger() const noexcept;
    // Integers that are not negative, the wide unsigned ones included.
    std::optional<std::uint64_t> asUnsigned() const noexcept;
    bool isWideUnsigned() const noexcept { return m_wideUnsigned; }
    std::optional<double> asReal() const noexcept;
    std::optional<Date> asDate() const noexcept;
    const std::string* asString() const noexcept;
    const PlistData* asData() const noexcept;
    const PlistArray* asArray() const noexcept;
    PlistArray* asArray() noexcept;
    const PlistDictionary* asDictionary() const noexcept;
    PlistDictionary* asDictionary() noexcept;

    // Numbers and strings convert; every other kind answers 0 / false, which
    // callers take as "not supported".
    bool hasNumberConversion() const noexcept;
    bool boolValue() const noexcept;
    // Integers keep their low 32 bits; reals truncate toward zero and saturate.
    std::int32_t intValue() const noexcept;
    std::int64_t integerValue() const noexcept;
    float floatValue() const noexcept;
    double doubleValue() const noexcept;
    // The number or string as text ("1"/"0" for booleans); empty for other kinds.
    std::string stringValue() const;
    // Readable form for people: strings as they are, booleans true/false,
    // containers compact with their strings quoted.
    std::string description() const;

    // Structural: kinds must match, so integer 1 differs from real 1.0.
    bool operator==(const PlistValue& other) const;

  private:
    struct IntegerTag {};
    struct RealTag {};
    PlistValue(std::int64_t value, IntegerTag) noexcept;
    PlistValue(double value, RealTag) noexcept;

    // Containers are boxed because PlistValue is incomplete here; the boxes are
    // never null while they are the active alternative.
    using Storage = std::variant<std::monostate, bool, std::int64_t, double, std::string, PlistData, Date,
                                 std::unique_ptr<PlistArray>, std::unique_ptr<PlistDictionary>>;
    Storage m_storage;
    // An integer stored as the bits of an unsigned value above the signed maximum.
    bool m_wideUnsigned = false;
};

} // namespace ns
