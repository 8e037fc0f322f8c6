#pragma once
// The XML form of a dictionary, written here rather than by libplist: libplist
// 2.2 takes dates as 32-bit seconds and writes every integer signed, so values
// that a file holds would come back altered. Whatever cannot be written so
// that it reads back the same is refused instead.
#include <Foundation/PlistValue.h>
#include <Foundation/Result.h>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ns {

class PlistXmlWriter {
  public:
    // Unencodable for null, for text that XML 1.0 cannot hold (invalid UTF-8,
    // control characters, a carriage return, which readers drop), for dates
    // with a fraction of a second or outside the years 1-9999; TooDeep beyond
    // PlistFile::kMaxDepth. The failure's detail names the key holding the
    // value. Infinities and NaN are written as readers parse them back.
    static Result<std::vector<std::uint8_t>> encode(const PlistDictionary& dictionary);

    // "2001-01-01T00:00:00Z" and back, for every year from 1 to 9999.
    static std::optional<std::string> dateText(double secondsSince2001);
    static std::optional<double> parseDateText(std::string_view text);

    // Text an XML 1.0 document can hold as it is: valid UTF-8, no control
    // characters but tab and line feed.
    static bool isXmlText(std::string_view text);
};

} // namespace ns
