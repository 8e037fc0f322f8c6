#include "ValueParsing.h"

#include "SimError.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>

namespace sim {

namespace {
template <class T> T parseWhole(const std::string& text, const char* what) {
    T value{};
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error == std::errc::result_out_of_range)
        throw SimError("'" + text + "' does not fit " + what);
    if (error != std::errc() || end != text.data() + text.size() || text.empty())
        throw SimError("'" + text + "' is not " + what);
    return value;
}
} // namespace

bool parseBool(const std::string& text) {
    std::string lower = text;
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return std::tolower(c); });
    if (lower == "true" || lower == "yes" || lower == "1")
        return true;
    if (lower == "false" || lower == "no" || lower == "0")
        return false;
    throw SimError("'" + text + "' is not a boolean (true/false, yes/no, 1/0)");
}

int32_t parseInt(const std::string& text) {
    return parseWhole<int32_t>(text, "a 32-bit integer");
}

int64_t parseInteger(const std::string& text) {
    return parseWhole<int64_t>(text, "a 64-bit integer");
}

float parseFloat(const std::string& text) {
    char* end = nullptr;
    float value = std::strtof(text.c_str(), &end);
    if (text.empty() || end != text.c_str() + text.size() || !std::isfinite(value))
        throw SimError("'" + text + "' is not a finite number");
    return value;
}

void requireText(const std::string& text, const char* what) {
    std::size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<unsigned char>(text[i]);
        if (lead < 0x80) {
            if ((lead < 0x20 && lead != '\t' && lead != '\n') || lead == 0x7F)
                throw SimError(std::string(what) + " holds a control character (byte " + std::to_string(i) +
                               ")");
            ++i;
            continue;
        }
        const std::size_t length = (lead & 0xE0) == 0xC0   ? 2
                                   : (lead & 0xF0) == 0xE0 ? 3
                                   : (lead & 0xF8) == 0xF0 ? 4
                                                           : 0;
        std::uint32_t code = length == 2 ? lead & 0x1F : length == 3 ? lead & 0x0F : lead & 0x07;
        bool valid = length != 0 && i + length <= text.size();
        for (std::size_t j = 1; valid && j < length; ++j) {
            const auto next = static_cast<unsigned char>(text[i + j]);
            valid = (next & 0xC0) == 0x80;
            code = (code << 6) | (next & 0x3F);
        }
        static constexpr std::uint32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
        valid = valid && code >= kSmallest[length] && code <= 0x10FFFF &&
                !(code >= 0xD800 && code <= 0xDFFF) && code != 0xFFFE && code != 0xFFFF &&
                !(code >= 0x80 && code <= 0x9F);
        if (!valid)
            throw SimError(std::string(what) + " is not valid UTF-8 text (byte " + std::to_string(i) + ")");
        i += length;
    }
}

} // namespace sim
