#pragma once
// A column of the tableau. External symbols stand for the caller's variables;
// slack symbols turn inequalities into equalities; error symbols measure how
// far an optional constraint is from holding; dummy symbols mark required
// equalities so they can be found again on removal.
#include <cstdint>

namespace layout {

struct Symbol {
    enum class Type : std::uint8_t { Invalid, External, Slack, Error, Dummy };

    std::uint32_t id = 0;
    Type type = Type::Invalid;

    bool valid() const { return type != Type::Invalid; }
    // Restricted symbols are never negative.
    bool restricted() const { return type != Type::External; }
    bool pivotable() const { return type == Type::Slack || type == Type::Error; }
};

} // namespace layout
