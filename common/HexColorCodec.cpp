#include "HexColorCodec.h"

#include <Foundation/NSString.h>

#include <array>
#include <bitset>
#include <cfloat>
#include <cmath>
#include <cstdio>
#include <optional>

namespace {

struct NamedColour {
    const char* name;
    rt::Ref<UIColor> (*platform)();
    // Answered when the name is met again while it is being resolved: in the
    // engine "red" stored under "red" would otherwise ask itself for ever.
    UIColor::Components reentryFallback;
};

// Tested in this order, matched exactly and case-sensitively on the whole string.
const std::array<NamedColour, 11> kNamedColours{{
    {"red", &UIColor::systemRedColor, {255 / 255.0, 59 / 255.0, 48 / 255.0, 1.0}},
    {"orange", &UIColor::systemOrangeColor, {255 / 255.0, 149 / 255.0, 0.0, 1.0}},
    {"yellow", &UIColor::systemYellowColor, {255 / 255.0, 204 / 255.0, 0.0, 1.0}},
    {"green", &UIColor::systemGreenColor, {52 / 255.0, 199 / 255.0, 89 / 255.0, 1.0}},
    {"blue", &UIColor::systemBlueColor, {0.0, 122 / 255.0, 1.0, 1.0}},
    {"teal", &UIColor::systemTealColor, {90 / 255.0, 200 / 255.0, 250 / 255.0, 1.0}},
    {"indigo", &UIColor::systemIndigoColor, {88 / 255.0, 86 / 255.0, 214 / 255.0, 1.0}},
    {"purple", &UIColor::systemPurpleColor, {175 / 255.0, 82 / 255.0, 222 / 255.0, 1.0}},
    {"pink", &UIColor::systemPinkColor, {255 / 255.0, 45 / 255.0, 85 / 255.0, 1.0}},
    {"default", &UIColor::labelColor, {0.0, 0.0, 0.0, 1.0}},
    {"tertiary", &UIColor::tertiaryLabelColor, {60 / 255.0, 60 / 255.0, 67 / 255.0, 0.3}},
}};

constexpr size_t kBlue = 4;
constexpr UIColor::Components kEngineBlue{0.04, 0.52, 1.0, 1.0};

// Names being resolved on this thread (one bit per entry of kNamedColours).
thread_local std::bitset<kNamedColours.size()> t_resolving;

const NamedColour* findNamed(std::string_view text, size_t* index) {
    for (size_t i = 0; i < kNamedColours.size(); ++i)
        if (text == kNamedColours[i].name) {
            *index = i;
            return &kNamedColours[i];
        }
    return nullptr;
}

rt::Ref<UIColor> resolveNamed(size_t index) {
    const NamedColour& named = kNamedColours[index];
    if (t_resolving.test(index))
        return UIColor::colorWithLight(named.reentryFallback, named.reentryFallback);
    t_resolving.set(index);
    rt::Ref<UIColor> colour = named.platform();
    t_resolving.reset(index);
    return colour ? colour : UIColor::colorWithLight(named.reentryFallback, named.reentryFallback);
}

// Lengths and positions count UTF-16 code units, as the platform's strings do.
std::u16string toUtf16(std::string_view text) {
    std::u16string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size();) {
        auto byte = static_cast<unsigned char>(text[i]);
        char32_t cp = 0xFFFD;
        size_t length = 1;
        if (byte < 0x80) {
            cp = byte;
        } else if ((byte >> 5) == 0x6 || (byte >> 4) == 0xE || (byte >> 3) == 0x1E) {
            length = (byte >> 5) == 0x6 ? 2 : (byte >> 4) == 0xE ? 3 : 4;
            char32_t value = byte & (0x7F >> length);
            bool valid = i + length <= text.size();
            for (size_t k = 1; valid && k < length; ++k) {
                auto next = static_cast<unsigned char>(text[i + k]);
                valid = (next & 0xC0) == 0x80;
                value = (value << 6) | (next & 0x3F);
            }
            if (valid && value <= 0x10FFFF)
                cp = value;
            else
                length = 1;
        }
        i += length;
        if (cp >= 0x10000) {
            cp -= 0x10000;
            out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
            out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
        } else {
            out.push_back(static_cast<char16_t>(cp));
        }
    }
    return out;
}

bool isWhitespaceOrNewline(char16_t c) {
    return (c >= 0x09 && c <= 0x0D) || c == 0x20 || c == 0x85 || c == 0xA0 || c == 0x1680 ||
           (c >= 0x2000 && c <= 0x200A) || c == 0x2028 || c == 0x2029 || c == 0x202F || c == 0x205F ||
           c == 0x3000;
}

int hexDigit(char16_t c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// The form the pane stores: 3, 6 or 8 hex digits, perhaps after one '#'. No
// colour name is made of hex digits alone, so such text needs neither the
// name table nor the general path's conversions; the value is the one that
// path reaches. Anything else: nothing.
std::optional<uint32_t> plainHexValue(std::string_view text) {
    if (!text.empty() && text.front() == '#')
        text.remove_prefix(1);
    if (text.size() != 3 && text.size() != 6 && text.size() != 8)
        return std::nullopt;
    uint32_t value = 0;
    for (char c : text) {
        const int digit = hexDigit(static_cast<unsigned char>(c));
        if (digit < 0)
            return std::nullopt;
        value = (value << 4) | static_cast<uint32_t>(digit);
        if (text.size() == 3)
            value = (value << 4) | static_cast<uint32_t>(digit);
    }
    return text.size() == 8 ? value : (value << 8) | 0xFF;
}

CGFloat channel(uint32_t value, int shift) {
    return static_cast<CGFloat>(static_cast<float>((value >> shift) & 0xFF) / 255.0f);
}

} // namespace

uint32_t HexColorCodec::scanHexInt(std::u16string_view text) {
    size_t i = 0;
    while (i < text.size() && isWhitespaceOrNewline(text[i]))
        ++i;
    if (i + 1 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X'))
        i += 2;
    uint64_t value = 0;
    for (; i < text.size() && hexDigit(text[i]) >= 0; ++i)
        value =
            std::min<uint64_t>((value << 4) | static_cast<uint64_t>(hexDigit(text[i])), UINT32_MAX + 1ull);
    return value > UINT32_MAX ? UINT32_MAX : static_cast<uint32_t>(value);
}

rt::Ref<UIColor> HexColorCodec::colorWithHexString(std::string_view text) const {
    if (const std::optional<uint32_t> value = plainHexValue(text))
        return UIColor::colorWithRed(channel(*value, 24), channel(*value, 16), channel(*value, 8),
                                     channel(*value, 0));
    size_t index = 0;
    if (findNamed(text, &index)) {
        if (index == kBlue && m_variant == Variant::engine)
            return UIColor::colorWithLight(kEngineBlue, kEngineBlue);
        return resolveNamed(index);
    }
    std::u16string digits;
    digits.reserve(text.size() + 2); // room for the alpha of six digits
    for (char16_t c : toUtf16(text))
        if (c != u'#')
            digits.push_back(c);
    if (digits.size() == 3)
        digits = {digits[0], digits[0], digits[1], digits[1], digits[2], digits[2]};
    if (digits.size() == 6)
        digits += u"ff";
    uint32_t value = scanHexInt(digits);
    return UIColor::colorWithRed(channel(value, 24), channel(value, 16), channel(value, 8),
                                 channel(value, 0));
}

rt::Ref<UIColor> HexColorCodec::colorWithSixDigitHexString(std::string_view text) {
    size_t index = 0;
    if (findNamed(text, &index))
        return resolveNamed(index);
    std::u16string units = toUtf16(text);
    size_t begin = 0, end = units.size();
    while (begin < end && isWhitespaceOrNewline(units[begin]))
        ++begin;
    while (end > begin && isWhitespaceOrNewline(units[end - 1]))
        --end;
    // The platform's upper-casing maps all of Unicode, and may lengthen the text.
    std::u16string upper = ns::uppercaseString(std::u16string_view(units).substr(begin, end - begin));
    if (upper.size() <= 5)
        return UIColor::grayColor();
    if (upper.starts_with(u"0X"))
        upper.erase(0, 2);
    if (upper.size() != 6)
        return UIColor::grayColor();
    auto pair = [&](size_t at) {
        return static_cast<CGFloat>(static_cast<float>(scanHexInt(std::u16string_view(upper).substr(at, 2))) /
                                    255.0f);
    };
    return UIColor::colorWithRed(pair(0), pair(2), pair(4), 1.0);
}

std::string HexColorCodec::hexStringFromColor(const UIColor* colour) {
    CGFloat components[4] = {0, 0, 0, 0};
    if (colour)
        colour->getRed(&components[0], &components[1], &components[2], &components[3]);
    std::string out;
    for (CGFloat component : components) {
        double scaled = component * 255.0;
        // Narrowing a value beyond float's range is undefined; such components
        // are nonsense anyway, so they print as the largest float would.
        if (std::isnan(scaled))
            scaled = 0.0;
        scaled = std::fmax(-FLT_MAX, std::fmin(FLT_MAX, scaled));
        long long rounded = std::llround(static_cast<double>(static_cast<float>(scaled)));
        char buffer[24];
        std::snprintf(buffer, sizeof buffer, "%02llX", static_cast<unsigned long long>(rounded));
        out += buffer;
    }
    return out;
}
