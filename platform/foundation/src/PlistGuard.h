#pragma once
// Checks the bytes of a property list before libplist parses them. libplist
// recurses once per nesting level (and frees recursively), expands objects that
// a binary list shares or references in a cycle, and takes quadratic time on
// deep binary lists; a hostile file could crash or stall the process. The
// checks are conservative: whatever passes is at most PlistFile::kMaxDepth
// containers deep and expands to at most PlistFile::kMaxValues values.
#include <Foundation/Result.h>

#include <cstdint>
#include <span>

namespace ns {

class PlistGuard {
  public:
    // Failure kinds: Malformed (also for markup too irregular to check),
    // TooLarge, TooDeep, TooMany.
    static Result<void> check(std::span<const std::uint8_t> bytes);
};

} // namespace ns
