#include "HexColorCodec.h"

#include <gtest/gtest.h>

#include <objc/message.h>
#include <substrate.h>

#include <cmath>
#include <cstdio>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

namespace {

using C = UIColor::Components;

C parse(std::string_view text, HexColorCodec::Variant variant = HexColorCodec::Variant::pane) {
    return HexColorCodec(variant).colorWithHexString(text)->components();
}

C rgba(int r, int g, int b, int a) {
    return {r / 255.0f, g / 255.0f, b / 255.0f, a / 255.0f};
}

void expectColour(const C& actual, const C& expected, const std::string& context) {
    EXPECT_NEAR(actual.red, expected.red, 1e-6) << context;
    EXPECT_NEAR(actual.green, expected.green, 1e-6) << context;
    EXPECT_NEAR(actual.blue, expected.blue, 1e-6) << context;
    EXPECT_NEAR(actual.alpha, expected.alpha, 1e-6) << context;
}

TEST(FourChannelParse, DigitFormsAndHashes) {
    for (const char* white : {"#fff", "fff", "ffffff", "ffffffff", "FFFFFFFF", "##f#f#f##"})
        expectColour(parse(white), rgba(255, 255, 255, 255), white);
    expectColour(parse("ff000080"), rgba(255, 0, 0, 128), "ff000080");
    expectColour(parse("00ff00"), rgba(0, 255, 0, 255), "00ff00");
    expectColour(parse("#0f0"), rgba(0, 255, 0, 255), "#0f0");
    // Neither 3 nor 6 digits: read as they stand, filling from the low end.
    expectColour(parse("fff0"), rgba(0, 0, 255, 240), "fff0");
    // Eight characters with a 0x prefix: the number FF0000, a transparent green.
    expectColour(parse("0xFF0000"), rgba(0, 255, 0, 0), "0xFF0000");
    expectColour(parse("0X11223344"), rgba(0x11, 0x22, 0x33, 0x44), "an upper-case prefix too");
    // "Red" is no name: three characters doubled, no readable digit.
    expectColour(parse("Red"), rgba(0, 0, 0, 0), "Red");
    expectColour(parse(""), rgba(0, 0, 0, 0), "empty");
    // Scanner: leading white space is skipped, reading stops at the first non-digit.
    // A blank makes seven units, so no alpha is appended: 0x00FF00FF.
    expectColour(parse(" ff00ff"), rgba(0, 255, 0, 255), "blank then six");
    expectColour(parse("ffffffffff"), rgba(255, 255, 255, 255), "saturates");
    expectColour(parse("12zz5678"), rgba(0, 0, 0, 0x12), "stops at z");
}

TEST(FourChannelParse, LengthsCountUtf16Units) {
    // "é" is one unit: three units, doubled to "ééaaff" plus "ff" -> no digit at the start.
    expectColour(parse("éaf"), rgba(0, 0, 0, 0), "é");
    // An emoji is two units: "😀f" is three units and is doubled as units, never crashes.
    expectColour(parse("\xF0\x9F\x98\x80"
                       "f"),
                 rgba(0, 0, 0, 0), "emoji");
    expectColour(parse("\xff\xfe"
                       "abc"),
                 rgba(0, 0, 0, 0), "invalid utf-8");
}

TEST(FourChannelParse, NamedColoursPerVariant) {
    expectColour(parse("blue", HexColorCodec::Variant::engine), {0.04, 0.52, 1.0, 1.0}, "engine blue");
    expectColour(parse("blue", HexColorCodec::Variant::pane), UIColor::systemBlueColor()->components(),
                 "pane blue");
    expectColour(parse("red"), UIColor::systemRedColor()->components(), "red");
    expectColour(parse("default"), UIColor::labelColor()->components(), "default");
    expectColour(parse("tertiary"), UIColor::tertiaryLabelColor()->components(), "tertiary");
    // A named colour keeps following the appearance, a hex colour does not.
    EXPECT_TRUE(HexColorCodec(HexColorCodec::Variant::pane).colorWithHexString("orange")->isDynamic());
    EXPECT_FALSE(HexColorCodec(HexColorCodec::Variant::pane).colorWithHexString("ff9500")->isDynamic());
}

// The short forms are decided on UTF-16 units: a character of two, three or
// four UTF-8 bytes is one unit, one unit and two units.
TEST(FourChannelParse, ShortFormsCountUnitsOfEveryWidth) {
    expectColour(parse("12\xC3\xA9"), rgba(0, 0, 0x11, 0x22), "two bytes: three units, doubled");
    expectColour(parse("12\xE2\x82\xAC"), rgba(0, 0, 0x11, 0x22), "three bytes: three units, doubled");
    expectColour(parse("1\xF0\x9F\x98\x80"), rgba(0, 0, 0, 0x11), "four bytes: two units");
    expectColour(parse("1\xF0\x90\x80\x80"), rgba(0, 0, 0, 0x11), "the first four-byte character: two units");
    // A malformed sequence is one unit per byte, and the text after it still counts.
    expectColour(parse("12\xC3"), rgba(0, 0, 0x11, 0x22), "cut short: one unit");
    expectColour(parse("1\xC3"
                       "a"),
                 rgba(0, 0, 0, 0x11), "interrupted: one unit, then the letter");
    expectColour(parse("1\xF4\x90\x80\x80"), rgba(0, 0, 0, 0x01), "past the last character: four units");
}

std::string utf8(char32_t cp) {
    std::string out;
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
    return out;
}

// Every white space and line break the platform trims, and its neighbours it keeps.
TEST(SixDigitParse, TrimsExactlyThePlatformsWhiteSpace) {
    std::vector<char32_t> space{0x09, 0x0A,   0x0B,   0x0C,   0x0D,   0x20,   0x85,
                                0xA0, 0x1680, 0x2028, 0x2029, 0x202F, 0x205F, 0x3000};
    for (char32_t cp = 0x2000; cp <= 0x200A; ++cp)
        space.push_back(cp);
    for (char32_t cp : space) {
        const std::string text = utf8(cp) + "ff0000" + utf8(cp);
        expectColour(HexColorCodec::colorWithSixDigitHexString(text)->components(), rgba(255, 0, 0, 255),
                     "U+" + std::to_string(static_cast<unsigned>(cp)));
        // The four-channel parse skips it before the digits too.
        expectColour(parse(utf8(cp) + "00ff0080"), rgba(0, 255, 0, 0x80),
                     "four channels after U+" + std::to_string(static_cast<unsigned>(cp)));
    }
    for (char32_t cp : {0x08, 0x0E, 0x1F, 0x84, 0x9F, 0x167F, 0x1681, 0x1FFF, 0x200B, 0x2027, 0x202A, 0x202E,
                        0x2030, 0x205E, 0x2060, 0x2FFF, 0x3001})
        expectColour(HexColorCodec::colorWithSixDigitHexString(utf8(cp) + "ff0000")->components(),
                     UIColor::grayColor()->components(),
                     "kept U+" + std::to_string(static_cast<unsigned>(cp)));
}

TEST(SixDigitParse, OnlySixDigitsOrGray) {
    C gray = UIColor::grayColor()->components();
    for (const char* text : {"fff", "#FF0000", "FF0000FF", "", "0x12345", "ff00"})
        expectColour(HexColorCodec::colorWithSixDigitHexString(text)->components(), gray, text);
    expectColour(HexColorCodec::colorWithSixDigitHexString("0xff0000")->components(), rgba(255, 0, 0, 255),
                 "0x");
    expectColour(HexColorCodec::colorWithSixDigitHexString(" ff0000\n")->components(), rgba(255, 0, 0, 255),
                 "trim");
    expectColour(HexColorCodec::colorWithSixDigitHexString("12zz56")->components(), rgba(0x12, 0, 0x56, 255),
                 "pair");
    expectColour(HexColorCodec::colorWithSixDigitHexString("pink")->components(),
                 UIColor::systemPinkColor()->components(), "named");
    // Upper-cased as the platform does, over all of Unicode and before the length test.
    expectColour(HexColorCodec::colorWithSixDigitHexString("\xef\xac\x80"
                                                           "0000")
                     ->components(),
                 rgba(255, 0, 0, 255), "U+FB00 becomes FF");
    expectColour(HexColorCodec::colorWithSixDigitHexString("\xc3\x9f"
                                                           "ab12")
                     ->components(),
                 rgba(0, 0xab, 0x12, 255), "sharp s becomes SS");
}

TEST(HexStringFromColor, RoundingAndRoundTrip) {
    EXPECT_EQ(HexColorCodec::hexStringFromColor(UIColor::colorWithRed(1, 1, 1, 1)), "FFFFFFFF");
    EXPECT_EQ(HexColorCodec::hexStringFromColor(UIColor::colorWithRed(0.5, 0, 0, 1)), "800000FF");
    EXPECT_EQ(HexColorCodec::hexStringFromColor(UIColor::colorWithRed(2.0, 0, 0, 1)), "1FE0000FF");
    EXPECT_EQ(HexColorCodec::hexStringFromColor(UIColor::colorWithRed(NAN, 1e300, 0, 1)).substr(0, 2), "00");
    // No colour at all (a picker that had nothing chosen): every channel zero.
    EXPECT_EQ(HexColorCodec::hexStringFromColor(nullptr), "00000000");
    HexColorCodec codec(HexColorCodec::Variant::pane);
    for (int i = 0; i <= 1000; ++i) {
        double v = i / 1000.0;
        auto colour = UIColor::colorWithRed(v, 1 - v, v * v, 1 - v * v);
        C back = codec.colorWithHexString(HexColorCodec::hexStringFromColor(colour))->components();
        C orig = colour->components();
        ASSERT_LE(std::fabs(back.red - orig.red), 1 / 255.0);
        ASSERT_LE(std::fabs(back.green - orig.green), 1 / 255.0);
        ASSERT_LE(std::fabs(back.blue - orig.blue), 1 / 255.0);
        ASSERT_LE(std::fabs(back.alpha - orig.alpha), 1 / 255.0);
    }
}

// A stand-in for the engine's overrides: the named colours answer whatever a
// stored string says, parsed again by the engine's codec.
std::string g_storedRed = "red", g_storedYellow = "yellow";
rt::Ref<UIColor> (*g_redSlot)(id, SEL);
rt::Ref<UIColor> (*g_yellowSlot)(id, SEL);
int g_overrideCalls = 0;
rt::Ref<UIColor> redOverride(id, SEL) {
    ++g_overrideCalls;
    return HexColorCodec(HexColorCodec::Variant::engine).colorWithHexString(g_storedRed);
}
rt::Ref<UIColor> yellowOverride(id, SEL) {
    ++g_overrideCalls;
    return HexColorCodec(HexColorCodec::Variant::engine).colorWithHexString(g_storedYellow);
}

TEST(NamedColourLoops, SelfAndMutualReferencesTerminate) {
    Class meta = object_getClass(UIColor::classObject());
    MSHookMessageEx(meta, rt::sel<"systemRedColor">(), &redOverride, &g_redSlot);
    MSHookMessageEx(meta, rt::sel<"systemYellowColor">(), &yellowOverride, &g_yellowSlot);
    ASSERT_NE(g_redSlot, nullptr);

    C red = UIColor::systemRedColor()->components();
    EXPECT_EQ(g_overrideCalls, 2) << "one re-entry, then the fixed colour";
    expectColour(red, rgba(255, 59, 48, 255), "red under red");

    g_storedRed = "yellow";
    g_storedYellow = "red";
    g_overrideCalls = 0;
    UIColor::systemYellowColor();
    EXPECT_LE(g_overrideCalls, 4);

    g_storedRed = "00ff00";
    expectColour(UIColor::systemRedColor()->components(), rgba(0, 255, 0, 255), "plain value");
}

// Every name, with the platform's colour it stands for and the fixed colour
// answered when resolving the name asks for the name again.
struct Named {
    const char* name;
    const char* selector;
    C fallback;
};
const Named kNames[] = {
    {"red", "systemRedColor", rgba(255, 59, 48, 255)},
    {"orange", "systemOrangeColor", rgba(255, 149, 0, 255)},
    {"yellow", "systemYellowColor", rgba(255, 204, 0, 255)},
    {"green", "systemGreenColor", rgba(52, 199, 89, 255)},
    {"blue", "systemBlueColor", rgba(0, 122, 255, 255)},
    {"teal", "systemTealColor", rgba(90, 200, 250, 255)},
    {"indigo", "systemIndigoColor", rgba(88, 86, 214, 255)},
    {"purple", "systemPurpleColor", rgba(175, 82, 222, 255)},
    {"pink", "systemPinkColor", rgba(255, 45, 85, 255)},
    {"default", "labelColor", rgba(0, 0, 0, 255)},
    {"tertiary", "tertiaryLabelColor", {60 / 255.0, 60 / 255.0, 67 / 255.0, 0.3}},
};

C platformColour(const char* selector) {
    return rt::send<rt::Ref<UIColor>()>(UIColor::classObject(), sel_registerName(selector))->components();
}

TEST(NamedColourLoops, EveryNameIsItsPlatformColourInBothParses) {
    for (const Named& named : kNames) {
        expectColour(parse(named.name), platformColour(named.selector), named.name);
        expectColour(HexColorCodec::colorWithSixDigitHexString(named.name)->components(),
                     platformColour(named.selector), std::string("six digits ") + named.name);
        // Whole string, case-sensitive.
        expectColour(parse(std::string("_") + named.name), rgba(0, 0, 0, 0), std::string("_") + named.name);
    }
    expectColour(parse("Red"), rgba(0, 0, 0, 0), "Red");
}

// A platform colour that asks for its own name again, as the engine's
// override does when the user stores "red" under "red".
template <int I> rt::Ref<UIColor> (*g_slot)(id, SEL) = nullptr;
template <int I> rt::Ref<UIColor> asksAgain(id, SEL) {
    return HexColorCodec(HexColorCodec::Variant::pane).colorWithHexString(kNames[I].name);
}
template <int I> void hookAsksAgain() {
    MSHookMessageEx(object_getClass(UIColor::classObject()), sel_registerName(kNames[I].selector),
                    &asksAgain<I>, &g_slot<I>);
}

TEST(NamedColourLoops, EveryNameAskedForAgainAnswersItsFixedColour) {
    EXPECT_EXIT(
        {
            [&]<int... I>(std::integer_sequence<int, I...>) {
                (hookAsksAgain<I>(), ...);
            }
            (std::make_integer_sequence<int, std::size(kNames)>());
            int failed = 0;
            for (const Named& named : kNames) {
                C answer = platformColour(named.selector);
                const bool same = std::fabs(answer.red - named.fallback.red) < 1e-6 &&
                                  std::fabs(answer.green - named.fallback.green) < 1e-6 &&
                                  std::fabs(answer.blue - named.fallback.blue) < 1e-6 &&
                                  std::fabs(answer.alpha - named.fallback.alpha) < 1e-6;
                if (!same)
                    std::fprintf(stderr, "%s answers %f %f %f %f\n", named.name, answer.red, answer.green,
                                 answer.blue, answer.alpha);
                failed += same ? 0 : 1;
            }
            std::exit(failed);
        },
        ::testing::ExitedWithCode(0), "");
}

} // namespace
