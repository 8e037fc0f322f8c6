// Stored colours are mostly plain hex digits and take a short road; every
// digit, case and length of that road must land where the general one does.
#include "HexColorCodec.h"

#include <gtest/gtest.h>

#include <cctype>
#include <random>
#include <string>

namespace {

int digitValue(char c) {
    return c <= '9' ? c - '0' : (c | 0x20) - 'a' + 10;
}

TEST(PlainHexDigits, EveryLengthCaseAndHashDecodesByteForByte) {
    const std::string digits = "0123456789abcdefABCDEF";
    std::mt19937 random(24);
    for (int round = 0; round < 600; ++round) {
        const size_t length = round % 3 == 0 ? 3 : round % 3 == 1 ? 6 : 8;
        std::string text;
        for (size_t i = 0; i < length; ++i)
            text += digits[random() % digits.size()];
        int bytes[4] = {0, 0, 0, 255};
        for (size_t channel = 0; channel < length / 2 || (length == 3 && channel < 3); ++channel)
            bytes[channel] = length == 3
                                 ? digitValue(text[channel]) * 17
                                 : digitValue(text[2 * channel]) * 16 + digitValue(text[2 * channel + 1]);
        const std::string written = (round % 2 ? "#" : "") + text;
        const UIColor::Components c =
            HexColorCodec(HexColorCodec::Variant::engine).colorWithHexString(written)->components();
        EXPECT_NEAR(c.red, bytes[0] / 255.0, 1e-6) << written;
        EXPECT_NEAR(c.green, bytes[1] / 255.0, 1e-6) << written;
        EXPECT_NEAR(c.blue, bytes[2] / 255.0, 1e-6) << written;
        EXPECT_NEAR(c.alpha, bytes[3] / 255.0, 1e-6) << written;
        // Eight digits come back as they were written, upper-cased.
        if (length == 8) {
            std::string upper = text;
            for (char& ch : upper)
                ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
            EXPECT_EQ(HexColorCodec::hexStringFromColor(
                          HexColorCodec(HexColorCodec::Variant::engine).colorWithHexString(written)),
                      upper);
        }
    }
}

TEST(PlainHexDigits, TextsTheShortRoadDeclinesReadAsTheGeneralOneReadsThem) {
    // Seven digits are no form the pane writes: the number as it stands.
    // Nine overflow the 32 bits and saturate to white.
    struct Case {
        const char* text;
        int rgba[4];
    };
    for (const Case& c :
         {Case{"1234567", {0x01, 0x23, 0x45, 0x67}}, Case{"#1234567", {0x01, 0x23, 0x45, 0x67}},
          Case{"123456789", {255, 255, 255, 255}}, Case{"#123456789", {255, 255, 255, 255}},
          // The short road's own lengths without a single digit: nothing readable.
          Case{"xyz", {0, 0, 0, 0}}, Case{"#zzzzzz", {0, 0, 0, 0}}, Case{"qrstuvwx", {0, 0, 0, 0}}}) {
        const UIColor::Components got =
            HexColorCodec(HexColorCodec::Variant::engine).colorWithHexString(c.text)->components();
        EXPECT_NEAR(got.red, c.rgba[0] / 255.0, 1e-6) << c.text;
        EXPECT_NEAR(got.green, c.rgba[1] / 255.0, 1e-6) << c.text;
        EXPECT_NEAR(got.blue, c.rgba[2] / 255.0, 1e-6) << c.text;
        EXPECT_NEAR(got.alpha, c.rgba[3] / 255.0, 1e-6) << c.text;
    }
}

} // namespace
