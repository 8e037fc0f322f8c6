#pragma once
// Finds values that libplist reads as something other than what the file
// holds: integers beyond 64 bits or with trailing text, dates it cannot
// represent, strings holding NUL or lone surrogates, binary dates whose
// fraction it drops. A writer that rewrote such a file would silently change a
// value it does not own; it keeps the original aside instead.
#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace ns {

class PlistExactness {
  public:
    // `bytes` is a property list libplist has parsed (XML already in UTF-8).
    // What the first such value is, or nothing when every value reads exactly.
    static std::optional<std::string> firstInexactValue(std::span<const std::uint8_t> bytes);
};

} // namespace ns
