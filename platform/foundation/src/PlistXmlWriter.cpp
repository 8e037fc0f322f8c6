#include "PlistXmlWriter.h"

#include <Foundation/PlistFile.h>

#include <charconv>
#include <cmath>
#include <cstdio>

namespace ns {

namespace {

constexpr std::int64_t kSecondsFrom1970To2001 = 978307200;
constexpr std::int64_t kSecondsPerDay = 86400;

// Days since 1970-01-01 of a proleptic Gregorian date, and back.
std::int64_t daysFromCivil(std::int64_t year, unsigned month, unsigned day) {
    year -= month <= 2;
    const std::int64_t era = (year >= 0 ? year : year - 399) / 400;
    const auto yearOfEra = static_cast<unsigned>(year - era * 400);
    const unsigned dayOfYear = (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1;
    const unsigned dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + static_cast<std::int64_t>(dayOfEra) - 719468;
}

void civilFromDays(std::int64_t days, std::int64_t& year, unsigned& month, unsigned& day) {
    days += 719468;
    const std::int64_t era = (days >= 0 ? days : days - 146096) / 146097;
    const auto dayOfEra = static_cast<unsigned>(days - era * 146097);
    const unsigned yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const unsigned dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const unsigned shifted = (5 * dayOfYear + 2) / 153;
    day = dayOfYear - (153 * shifted + 2) / 5 + 1;
    month = shifted < 10 ? shifted + 3 : shifted - 9;
    year = static_cast<std::int64_t>(yearOfEra) + era * 400 + (month <= 2);
}

constexpr char kBase64[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

std::string base64(const PlistData& bytes) {
    std::string out;
    out.reserve((bytes.size() + 2) / 3 * 4);
    std::size_t i = 0;
    for (; i + 2 < bytes.size(); i += 3) {
        const std::uint32_t group = (bytes[i] << 16) | (bytes[i + 1] << 8) | bytes[i + 2];
        for (int shift : {18, 12, 6, 0})
            out += kBase64[(group >> shift) & 0x3F];
    }
    if (const std::size_t left = bytes.size() - i) {
        const std::uint32_t group = (bytes[i] << 16) | (left == 2 ? bytes[i + 1] << 8 : 0);
        out += kBase64[(group >> 18) & 0x3F];
        out += kBase64[(group >> 12) & 0x3F];
        out += left == 2 ? kBase64[(group >> 6) & 0x3F] : '=';
        out += '=';
    }
    return out;
}

void appendEscaped(std::string& out, std::string_view text) {
    for (const char c : text) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        default:
            out += c;
        }
    }
}

class Writer {
  public:
    Result<void> dictionary(const PlistDictionary& entries, std::size_t depth) {
        if (depth >= PlistFile::kMaxDepth)
            return tooDeep();
        if (entries.empty()) {
            line(depth, "<dict/>");
            return {};
        }
        line(depth, "<dict>");
        for (const auto& [key, item] : entries) {
            if (!PlistXmlWriter::isXmlText(key))
                return Failure{FailureKind::Unencodable, "", "a key is not text an XML file can hold"};
            indent(depth + 1);
            m_out += "<key>";
            appendEscaped(m_out, key);
            m_out += "</key>\n";
            TRY(value(item, depth + 1).within("key \"" + key + "\""));
        }
        line(depth, "</dict>");
        return {};
    }

    std::string take() { return std::move(m_out); }

  private:
    static Failure tooDeep() {
        return Failure{FailureKind::TooDeep, "",
                       "property list nests deeper than " + std::to_string(PlistFile::kMaxDepth) + " levels"};
    }

    void indent(std::size_t depth) { m_out.append(depth, '\t'); }
    void line(std::size_t depth, std::string_view text) {
        indent(depth);
        m_out += text;
        m_out += '\n';
    }
    void element(std::size_t depth, std::string_view tag, std::string_view text) {
        indent(depth);
        ((m_out += '<') += tag) += '>';
        appendEscaped(m_out, text);
        ((m_out += "</") += tag) += ">\n";
    }

    Result<void> value(const PlistValue& item, std::size_t depth) {
        switch (item.kind()) {
        case PlistValue::Kind::Null:
            return Failure{FailureKind::Unencodable, "", "null has no property-list form"};
        case PlistValue::Kind::Bool:
            line(depth, *item.asBool() ? "<true/>" : "<false/>");
            return {};
        case PlistValue::Kind::Integer:
            element(depth, "integer", item.stringValue());
            return {};
        case PlistValue::Kind::Real: {
            const double real = *item.asReal();
            // Written as readers (libplist, strtod) read them back.
            if (std::isnan(real)) {
                element(depth, "real", "nan");
                return {};
            }
            if (std::isinf(real)) {
                element(depth, "real", real > 0 ? "+infinity" : "-infinity");
                return {};
            }
            // The shortest text that reads back as the same double.
            char text[32];
            const auto end = std::to_chars(text, text + sizeof text, real).ptr;
            element(depth, "real", std::string_view(text, static_cast<std::size_t>(end - text)));
            return {};
        }
        case PlistValue::Kind::String: {
            const std::string& text = *item.asString();
            if (!PlistXmlWriter::isXmlText(text))
                return Failure{FailureKind::Unencodable, "", "the string is not text an XML file can hold"};
            element(depth, "string", text);
            return {};
        }
        case PlistValue::Kind::Data:
            element(depth, "data", base64(*item.asData()));
            return {};
        case PlistValue::Kind::Date: {
            const auto text = PlistXmlWriter::dateText(item.asDate()->secondsSince2001);
            if (!text)
                return Failure{FailureKind::Unencodable, "",
                               "the date has a fraction of a second or lies outside the years 1-9999"};
            element(depth, "date", *text);
            return {};
        }
        case PlistValue::Kind::Array: {
            if (depth >= PlistFile::kMaxDepth)
                return tooDeep();
            const PlistArray& items = *item.asArray();
            if (items.empty()) {
                line(depth, "<array/>");
                return {};
            }
            line(depth, "<array>");
            for (const PlistValue& child : items)
                TRY(value(child, depth + 1));
            line(depth, "</array>");
            return {};
        }
        case PlistValue::Kind::Dictionary:
            return dictionary(*item.asDictionary(), depth);
        }
        return Failure{FailureKind::Unencodable, "", "value has no property-list form"};
    }

    std::string m_out;
};

} // namespace

bool PlistXmlWriter::isXmlText(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<unsigned char>(text[i]);
        if (lead < 0x80) {
            // A carriage return would come back as nothing: readers drop it.
            if (lead < 0x20 && lead != '\t' && lead != '\n')
                return false;
            ++i;
            continue;
        }
        std::size_t length = 0;
        std::uint32_t code = 0;
        if ((lead & 0xE0) == 0xC0) {
            length = 2;
            code = lead & 0x1F;
        } else if ((lead & 0xF0) == 0xE0) {
            length = 3;
            code = lead & 0x0F;
        } else if ((lead & 0xF8) == 0xF0) {
            length = 4;
            code = lead & 0x07;
        } else {
            return false;
        }
        if (i + length > text.size())
            return false;
        for (std::size_t j = 1; j < length; ++j) {
            const auto next = static_cast<unsigned char>(text[i + j]);
            if ((next & 0xC0) != 0x80)
                return false;
            code = (code << 6) | (next & 0x3F);
        }
        static constexpr std::uint32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
        if (code < kSmallest[length] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF) ||
            code == 0xFFFE || code == 0xFFFF)
            return false;
        i += length;
    }
    return true;
}

std::optional<std::string> PlistXmlWriter::dateText(double secondsSince2001) {
    if (!std::isfinite(secondsSince2001) || std::floor(secondsSince2001) != secondsSince2001)
        return std::nullopt;
    // Years 1 to 9999, the range the text form holds.
    constexpr double kFirst = -63113904000.0;
    constexpr double kLast = 252423993599.0;
    if (secondsSince2001 < kFirst || secondsSince2001 > kLast)
        return std::nullopt;
    const std::int64_t unix = static_cast<std::int64_t>(secondsSince2001) + kSecondsFrom1970To2001;
    std::int64_t days = unix / kSecondsPerDay;
    std::int64_t rest = unix % kSecondsPerDay;
    if (rest < 0) {
        rest += kSecondsPerDay;
        --days;
    }
    std::int64_t year = 0;
    unsigned month = 0;
    unsigned day = 0;
    civilFromDays(days, year, month, day);
    char text[96]; // room for any 64-bit year, so nothing is ever cut
    std::snprintf(text, sizeof text, "%04lld-%02u-%02uT%02lld:%02lld:%02lldZ", static_cast<long long>(year),
                  month, day, static_cast<long long>(rest / 3600), static_cast<long long>(rest / 60 % 60),
                  static_cast<long long>(rest % 60));
    return std::string(text);
}

std::optional<double> PlistXmlWriter::parseDateText(std::string_view text) {
    // libplist may leave out the leading zeros of the year.
    long long year = 0;
    unsigned month = 0, day = 0, hour = 0, minute = 0, second = 0;
    char zone = 0;
    const std::string copy(text);
    if (std::sscanf(copy.c_str(), "%lld-%u-%uT%u:%u:%u%c", &year, &month, &day, &hour, &minute, &second,
                    &zone) != 7 ||
        zone != 'Z' || month < 1 || month > 12 || day < 1 || day > 31 || hour > 23 || minute > 59 ||
        second > 60 || year < -100000 || year > 100000)
        return std::nullopt;
    const std::int64_t days = daysFromCivil(year, month, day);
    const std::int64_t unix = days * kSecondsPerDay + hour * 3600 + minute * 60 + second;
    return static_cast<double>(unix - kSecondsFrom1970To2001);
}

Result<std::vector<std::uint8_t>> PlistXmlWriter::encode(const PlistDictionary& dictionary) {
    Writer writer;
    TRY(writer.dictionary(dictionary, 0));
    const std::string body = writer.take();
    static constexpr std::string_view kHeader = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                                                "<!DOCTYPE plist PUBLIC \"-//Apple//DTD PLIST 1.0//EN\" "
                                                "\"http://www.apple.com/DTDs/PropertyList-1.0.dtd\">\n"
                                                "<plist version=\"1.0\">\n";
    static constexpr std::string_view kFooter = "</plist>\n";
    std::vector<std::uint8_t> bytes;
    bytes.reserve(kHeader.size() + body.size() + kFooter.size());
    bytes.insert(bytes.end(), kHeader.begin(), kHeader.end());
    bytes.insert(bytes.end(), body.begin(), body.end());
    bytes.insert(bytes.end(), kFooter.begin(), kFooter.end());
    return bytes;
}

} // namespace ns
