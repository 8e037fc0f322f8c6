// Any text through both colour parses and the scanner; a parsed colour must
// print as eight upper-case digits.
#include "HexColorCodec.h"

#include <cctype>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    for (const auto variant : {HexColorCodec::Variant::engine, HexColorCodec::Variant::pane}) {
        const auto colour = HexColorCodec(variant).colorWithHexString(text);
        if (!colour)
            std::abort();
        const std::string printed = HexColorCodec::hexStringFromColor(colour);
        if (printed.size() != 8)
            std::abort();
        for (const char c : printed)
            if (!std::isxdigit(static_cast<unsigned char>(c)) || std::islower(static_cast<unsigned char>(c)))
                std::abort();
    }
    if (!HexColorCodec::colorWithSixDigitHexString(text))
        std::abort();
    std::u16string wide;
    for (std::size_t i = 0; i + 1 < size; i += 2)
        wide.push_back(static_cast<char16_t>(data[i] | (data[i + 1] << 8)));
    (void)HexColorCodec::scanHexInt(wide);
    return 0;
}
