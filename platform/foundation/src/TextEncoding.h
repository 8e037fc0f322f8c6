#pragma once
// XML property lists in an 8-bit encoding other than UTF-8, as their
// declaration names it (<?xml ... encoding="ISO-8859-1"?>), converted to the
// UTF-8 that libplist reads. A file is never read as an encoding it does not
// declare.
#include <Foundation/Result.h>

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace ns {

class TextEncoding {
  public:
    // The encoding name the XML declaration at the start of `bytes` gives, if any.
    static std::optional<std::string> declared(std::span<const std::uint8_t> bytes);
    // Nothing when the text is UTF-8 already (declared so, or no declaration);
    // otherwise the text in UTF-8. Malformed for an encoding this reader does
    // not know and for bytes that are not valid in the declared encoding.
    static Result<std::optional<std::vector<std::uint8_t>>> toUtf8(std::span<const std::uint8_t> bytes);
};

} // namespace ns
