#include <Foundation/NSString.h>

#include <unicode/ustring.h>

namespace ns {

std::u16string uppercaseString(std::u16string_view text) {
    if (text.empty())
        return {};
    const auto* source = reinterpret_cast<const UChar*>(text.data());
    const auto length = static_cast<int32_t>(text.size());
    // The root locale: no language's special rules, as the device's call without a locale.
    std::u16string upper(text.size(), u'\0');
    UErrorCode status = U_ZERO_ERROR;
    int32_t needed = u_strToUpper(reinterpret_cast<UChar*>(upper.data()), static_cast<int32_t>(upper.size()),
                                  source, length, "", &status);
    if (status == U_BUFFER_OVERFLOW_ERROR) {
        upper.assign(static_cast<std::size_t>(needed), u'\0');
        status = U_ZERO_ERROR;
        needed = u_strToUpper(reinterpret_cast<UChar*>(upper.data()), needed, source, length, "", &status);
    }
    // Ill-formed text (a lone surrogate) maps as it is.
    if (U_FAILURE(status))
        return std::u16string(text);
    upper.resize(static_cast<std::size_t>(needed));
    return upper;
}

} // namespace ns
