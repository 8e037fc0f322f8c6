#pragma once
#include <UIKit/UIColor.h>

#include <cstdint>
#include <string>
#include <string_view>

// The text form of every colour setting and its two parses. The four-channel
// parse is shared by the engine and the pane, which differ only in "blue"; the
// six-digit parse belongs to the pane's link rows.
class HexColorCodec {
  public:
    enum class Variant {
        engine, // "blue" is a fixed colour: the platform's blue is the user's accent there
        pane,   // "blue" is the platform's system blue
    };

    explicit HexColorCodec(Variant variant) : m_variant(variant) {}

    // Eight digits red, green, blue, alpha; six and three digits, "#" anywhere
    // and eleven colour names are read too. Never answers null.
    rt::Ref<UIColor> colorWithHexString(std::string_view text) const;

    // Names, then exactly six digits (an optional 0X first); gray otherwise.
    static rt::Ref<UIColor> colorWithSixDigitHexString(std::string_view text);

    // Eight upper-case digits; components are not clamped.
    static std::string hexStringFromColor(const UIColor* colour);

    // The platform scanner's unsigned 32-bit hex read: leading white space,
    // optional 0x, digits up to the first other character, saturating; 0 when
    // no digit can be read.
    static uint32_t scanHexInt(std::u16string_view text);

  private:
    Variant m_variant;
};
