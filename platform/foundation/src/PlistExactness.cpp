#include "PlistExactness.h"

#include "PlistXmlWriter.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string_view>

namespace ns {

namespace {

std::string_view trimmed(std::string_view text) {
    const std::size_t first = text.find_first_not_of(" \t\r\n");
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
}

// libplist reads integers with strtoull in base 0 (a leading zero means octal)
// and saturates on overflow; only plain decimal within 64 bits reads as written.
bool exactInteger(std::string_view text) {
    text = trimmed(text);
    bool negative = false;
    if (!text.empty() && (text[0] == '-' || text[0] == '+')) {
        negative = text[0] == '-';
        text.remove_prefix(1);
    }
    if (text.empty() || (text.size() > 1 && text[0] == '0'))
        return false;
    std::uint64_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size())
        return false;
    return !negative || value <= std::uint64_t{1} << 63;
}

bool exactReal(std::string_view text) {
    const std::string copy(trimmed(text));
    if (copy.empty())
        return false;
    char* end = nullptr;
    (void)std::strtod(copy.c_str(), &end);
    return end == copy.c_str() + copy.size();
}

bool exactDate(std::string_view text) {
    const auto seconds = PlistXmlWriter::parseDateText(trimmed(text));
    return seconds && PlistXmlWriter::dateText(*seconds);
}

// Character references to NUL, to a surrogate or beyond Unicode.
bool exactText(std::string_view text) {
    for (std::size_t at = text.find("&#"); at != std::string_view::npos; at = text.find("&#", at + 2)) {
        const bool hex = at + 2 < text.size() && (text[at + 2] == 'x' || text[at + 2] == 'X');
        const std::size_t digits = at + (hex ? 3 : 2);
        std::uint64_t code = 0;
        const auto [end, error] =
            std::from_chars(text.data() + digits, text.data() + text.size(), code, hex ? 16 : 10);
        if (error != std::errc() || code == 0 || (code >= 0xD800 && code <= 0xDFFF) || code > 0x10FFFF)
            return false;
        (void)end;
    }
    return true;
}

struct Element {
    std::string_view name;
    bool (*exact)(std::string_view);
    const char* what;
};
constexpr Element kElements[] = {
    {"integer", exactInteger, "an integer beyond 64 bits or not in plain decimal"},
    {"real", exactReal, "a real number with text that is not a number"},
    {"date", exactDate, "a date that is not a valid date in the years 1-9999"},
    {"string", exactText, "a string holding NUL, a lone surrogate or a character beyond Unicode"},
    {"key", exactText, "a key holding NUL, a lone surrogate or a character beyond Unicode"},
};

std::optional<std::string> firstInexactXml(std::string_view text) {
    std::size_t at = 0;
    while ((at = text.find('<', at)) != std::string_view::npos) {
        const std::string_view rest = text.substr(at);
        // Skipped as libplist skips them.
        for (const auto& [open, close] :
             {std::pair{"<!--", "-->"}, std::pair{"<![CDATA[", "]]>"}, std::pair{"<?", "?>"}}) {
            if (rest.starts_with(open)) {
                const std::size_t end = text.find(close, at + std::strlen(open));
                at = end == std::string_view::npos ? text.size() : end;
                break;
            }
        }
        if (at >= text.size())
            break;
        ++at;
        for (const Element& element : kElements) {
            if (!text.substr(at).starts_with(element.name))
                continue;
            const std::size_t after = at + element.name.size();
            if (after >= text.size() || (text[after] != '>' && text[after] != ' '))
                continue;
            const std::size_t start = text.find('>', after);
            if (start == std::string_view::npos || text[start - 1] == '/')
                break;
            const std::string close = "</" + std::string(element.name);
            const std::size_t end = text.find(close, start);
            if (end == std::string_view::npos)
                break;
            if (!element.exact(text.substr(start + 1, end - start - 1)))
                return std::string(element.what);
            at = end;
            break;
        }
    }
    return std::nullopt;
}

std::uint64_t bigEndian(const std::uint8_t* bytes, std::size_t size) {
    std::uint64_t value = 0;
    for (std::size_t i = 0; i < size; ++i)
        value = (value << 8) | bytes[i];
    return value;
}

// The file has passed the guard and libplist, so its table and objects are in bounds;
// they are checked again anyway, answering "exact" for what does not fit.
std::optional<std::string> firstInexactBinary(std::span<const std::uint8_t> bytes) {
    constexpr std::size_t kTrailer = 32;
    if (bytes.size() < 8 + kTrailer)
        return std::nullopt;
    const std::uint8_t* trailer = bytes.data() + bytes.size() - kTrailer;
    const std::size_t offsetSize = trailer[6];
    const std::uint64_t count = bigEndian(trailer + 8, 8);
    const std::uint64_t table = bigEndian(trailer + 24, 8);
    const std::uint64_t limit = bytes.size() - kTrailer;
    if (offsetSize < 1 || offsetSize > 8 || table > limit || count > (limit - table) / offsetSize)
        return std::nullopt;
    for (std::uint64_t index = 0; index < count; ++index) {
        const std::uint64_t offset = bigEndian(bytes.data() + table + index * offsetSize, offsetSize);
        if (offset >= table)
            continue;
        const unsigned type = bytes[offset] >> 4;
        const unsigned info = bytes[offset] & 0xF;
        std::uint64_t at = offset + 1;
        const auto fits = [&](std::uint64_t size) { return size <= table - at; };
        std::uint64_t length = info;
        if ((type == 0x5 || type == 0x6) && info == 0xF) {
            if (!fits(1) || (bytes[at] >> 4) != 0x1 || (bytes[at] & 0xF) > 3)
                continue;
            const std::size_t size = std::size_t{1} << (bytes[at] & 0xF);
            if (!fits(1 + size))
                continue;
            length = bigEndian(bytes.data() + at + 1, size);
            at += 1 + size;
        }
        if (type == 0x1 && info == 4 && fits(16) && bigEndian(bytes.data() + at, 8) != 0)
            return "an integer beyond 64 bits";
        if (type == 0x3 && info == 3 && fits(8)) {
            const std::uint64_t raw = bigEndian(bytes.data() + at, 8);
            double seconds = 0;
            std::memcpy(&seconds, &raw, sizeof seconds);
            const bool wide = std::abs(seconds) >= 2147483648.0;
            if (!std::isfinite(seconds) || (wide && seconds != std::floor(seconds)))
                return "a date this reader cannot hold to the fraction of a second";
        }
        if (type == 0x5 && fits(length) && std::memchr(bytes.data() + at, 0, length))
            return "a string holding NUL";
        if (type == 0x6 && length <= (table - at) / 2) {
            for (std::uint64_t unit = 0; unit < length; ++unit) {
                const std::uint64_t code = bigEndian(bytes.data() + at + 2 * unit, 2);
                const bool high = code >= 0xD800 && code <= 0xDBFF;
                const bool low = code >= 0xDC00 && code <= 0xDFFF;
                const bool nextLow = unit + 1 < length && [&] {
                    const std::uint64_t next = bigEndian(bytes.data() + at + 2 * unit + 2, 2);
                    return next >= 0xDC00 && next <= 0xDFFF;
                }();
                if (code == 0 || low || (high && !nextLow))
                    return "a string holding NUL or a lone surrogate";
                if (high)
                    ++unit;
            }
        }
    }
    return std::nullopt;
}

} // namespace

std::optional<std::string> PlistExactness::firstInexactValue(std::span<const std::uint8_t> bytes) {
    static constexpr std::string_view kMagic = "bplist00";
    if (bytes.size() >= kMagic.size() && std::memcmp(bytes.data(), kMagic.data(), kMagic.size()) == 0)
        return firstInexactBinary(bytes);
    return firstInexactXml(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

} // namespace ns
