#pragma once
// The parts of the device's string class the deliverables rely on, on UTF-16
// text as the device holds it.
#include <Foundation/FoundationDefines.h>

#include <string>
#include <string_view>

namespace ns {

// -uppercaseString: every character mapped as Unicode says, so a string may
// grow ("ß" becomes "SS", U+FB00 "ﬀ" becomes "FF").
FOUNDATION_EXPORT std::u16string uppercaseString(std::u16string_view text);

} // namespace ns
