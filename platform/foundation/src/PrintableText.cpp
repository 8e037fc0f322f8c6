#include <Foundation/PrintableText.h>

#include <cstdint>
#include <cstdio>

namespace ns {

namespace {

// Length of the valid UTF-8 sequence at `at` and its code point; 0 when invalid.
std::size_t decode(std::string_view text, std::size_t at, char32_t& code) {
    const auto byte = [&](std::size_t i) { return static_cast<std::uint8_t>(text[i]); };
    const std::uint8_t lead = byte(at);
    std::size_t length = lead < 0x80           ? 1
                         : (lead >> 5) == 0x6  ? 2
                         : (lead >> 4) == 0xE  ? 3
                         : (lead >> 3) == 0x1E ? 4
                                               : 0;
    if (length == 0 || at + length > text.size())
        return 0;
    code = length == 1 ? lead : lead & (0x7F >> length);
    for (std::size_t i = 1; i < length; ++i) {
        if ((byte(at + i) & 0xC0) != 0x80)
            return 0;
        code = (code << 6) | (byte(at + i) & 0x3F);
    }
    static constexpr char32_t kShortest[] = {0, 0, 0x80, 0x800, 0x10000};
    if (code < kShortest[length] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
        return 0;
    return length;
}

// C1 controls, the bidirectional embeddings, overrides and isolates, and the
// marks that flip the direction of the text around them.
bool isInvisibleControl(char32_t code) {
    return (code >= 0x80 && code <= 0x9F) || code == 0x061C || code == 0x200E || code == 0x200F ||
           (code >= 0x202A && code <= 0x202E) || (code >= 0x2066 && code <= 0x2069);
}

} // namespace

std::string PrintableText::escaped(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    char buffer[16];
    for (std::size_t at = 0; at < text.size();) {
        const auto c = static_cast<unsigned char>(text[at]);
        char32_t code = 0;
        const std::size_t length = decode(text, at, code);
        if (length == 0) {
            std::snprintf(buffer, sizeof buffer, "\\x%02X", c);
            out += buffer;
            ++at;
            continue;
        }
        if (code == 0x1B)
            out += "\\e";
        else if (code == '\t')
            out += "\\t";
        else if (code == '\n')
            out += "\\n";
        else if (code == '\r')
            out += "\\r";
        else if (code < 0x20 || code == 0x7F) {
            std::snprintf(buffer, sizeof buffer, "\\x%02X", static_cast<unsigned>(code));
            out += buffer;
        } else if (isInvisibleControl(code)) {
            std::snprintf(buffer, sizeof buffer, "\\u{%04X}", static_cast<unsigned>(code));
            out += buffer;
        } else {
            out.append(text.substr(at, length));
        }
        at += length;
    }
    return out;
}

bool PrintableText::isPlain(std::string_view text) {
    return escaped(text) == text;
}

} // namespace ns
