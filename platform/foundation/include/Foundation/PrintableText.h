#pragma once
// Text that came from a file or a user, made safe to print on a terminal:
// control characters, bidirectional overrides and invalid UTF-8 are shown as
// escapes instead of acting on the terminal or reordering the line.
#include <Foundation/FoundationDefines.h>

#include <string>
#include <string_view>

namespace ns {

class FOUNDATION_EXPORT PrintableText {
  public:
    // "\e" for ESC, "\t", "\n", "\r", "\\", "\xNN" for other control bytes and
    // invalid UTF-8, "\u{202E}" for bidirectional controls; anything else as it is.
    static std::string escaped(std::string_view text);
    // True when escaped(text) == text.
    static bool isPlain(std::string_view text);
};

} // namespace ns
