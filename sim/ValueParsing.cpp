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

} // namespace sim
