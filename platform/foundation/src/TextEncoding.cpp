#include "TextEncoding.h"

#include <algorithm>
#include <memory>
#include <string_view>
#include <unicode/ucnv.h>
#include <unicode/ustring.h>

namespace ns {

namespace {

// A declaration is short; a longer one is not looked for.
constexpr std::size_t kDeclarationLimit = 256;

std::string lowered(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c); });
    return text;
}

struct ConverterCloser {
    void operator()(UConverter* converter) const { ucnv_close(converter); }
};

} // namespace

std::optional<std::string> TextEncoding::declared(std::span<const std::uint8_t> bytes) {
    const std::string_view text(reinterpret_cast<const char*>(bytes.data()),
                                std::min(bytes.size(), kDeclarationLimit));
    if (!text.starts_with("<?xml"))
        return std::nullopt;
    const std::size_t end = text.find("?>");
    if (end == std::string_view::npos)
        return std::nullopt;
    const std::string_view declaration = text.substr(0, end);
    std::size_t at = declaration.find("encoding");
    if (at == std::string_view::npos)
        return std::nullopt;
    at = declaration.find_first_not_of(" \t\r\n", at + 8);
    if (at == std::string_view::npos || declaration[at] != '=')
        return std::nullopt;
    at = declaration.find_first_not_of(" \t\r\n", at + 1);
    if (at == std::string_view::npos || (declaration[at] != '"' && declaration[at] != '\''))
        return std::nullopt;
    const std::size_t close = declaration.find(declaration[at], at + 1);
    if (close == std::string_view::npos)
        return std::nullopt;
    return std::string(declaration.substr(at + 1, close - at - 1));
}

Result<std::optional<std::vector<std::uint8_t>>> TextEncoding::toUtf8(std::span<const std::uint8_t> bytes) {
    const auto name = declared(bytes);
    if (!name)
        return std::optional<std::vector<std::uint8_t>>();
    const std::string key = lowered(*name);
    if (key == "utf-8" || key == "utf8")
        return std::optional<std::vector<std::uint8_t>>();
    const std::string shown = "\"" + name->substr(0, 40) + "\"";
    // Text whose bytes were not UTF-16 cannot be what a UTF-16 or UTF-32 declaration says.
    if (key.starts_with("utf-16") || key.starts_with("utf-32") || key.starts_with("ucs") ||
        key.starts_with("utf16") || key.starts_with("utf32"))
        return Failure{FailureKind::Malformed, "",
                       "property list declares the encoding " + shown + " but is not written in it"};
    UErrorCode status = U_ZERO_ERROR;
    std::unique_ptr<UConverter, ConverterCloser> converter(ucnv_open(name->c_str(), &status));
    if (U_FAILURE(status) || !converter)
        return Failure{FailureKind::Malformed, "",
                       "property list declares the encoding " + shown + ", which this reader does not know"};
    // Stop at the first byte the encoding does not define, rather than substituting.
    ucnv_setToUCallBack(converter.get(), UCNV_TO_U_CALLBACK_STOP, nullptr, nullptr, nullptr, &status);
    std::u16string wide(bytes.size() * 2 + 1, u'\0');
    status = U_ZERO_ERROR;
    const std::int32_t units = ucnv_toUChars(
        converter.get(), wide.data(), static_cast<std::int32_t>(wide.size()),
        reinterpret_cast<const char*>(bytes.data()), static_cast<std::int32_t>(bytes.size()), &status);
    if (U_FAILURE(status))
        return Failure{FailureKind::Malformed, "",
                       "property list holds bytes that are not valid in its declared encoding " + shown};
    std::vector<std::uint8_t> out(static_cast<std::size_t>(units) * 3 + 1);
    std::int32_t length = 0;
    status = U_ZERO_ERROR;
    u_strToUTF8(reinterpret_cast<char*>(out.data()), static_cast<std::int32_t>(out.size()), &length,
                wide.data(), units, &status);
    if (U_FAILURE(status))
        return Failure{FailureKind::Malformed, "",
                       "property list holds text that is not valid in its declared encoding " + shown};
    out.resize(static_cast<std::size_t>(length));
    return std::optional<std::vector<std::uint8_t>>(std::move(out));
}

} // namespace ns
