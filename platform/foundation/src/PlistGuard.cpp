#include "PlistGuard.h"

#include <Foundation/PlistFile.h>

#include <algorithm>
#include <cstring>
#include <optional>
#include <string_view>
#include <vector>

namespace ns {

namespace {

constexpr std::string_view kBinaryMagic = "bplist00";
constexpr std::size_t kTrailerSize = 32;

// --- XML -------------------------------------------------------------------
//
// A tokeniser, not a parser. It only has to never count fewer nesting levels
// than libplist builds. Comments, CDATA sections and processing instructions
// are skipped as libplist skips them (up to their terminator), double-quoted
// attribute values as well. What libplist reads differently from XML is
// refused: a '>' inside single quotes (libplist ends the tag there), a '<'
// inside any quotes, mismatched container closes, internal DTD subsets.

bool isNameStart(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_' || c == ':';
}
bool isNameChar(char c) {
    return isNameStart(c) || (c >= '0' && c <= '9') || c == '-' || c == '.';
}
bool isXmlSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

char lower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool startsWithIgnoringCase(std::string_view text, std::string_view prefix) {
    if (text.size() < prefix.size())
        return false;
    for (std::size_t i = 0; i < prefix.size(); ++i)
        if (lower(text[i]) != prefix[i])
            return false;
    return true;
}

// Tags that nest in libplist's parser, whatever their spelling.
bool namesNestingTag(std::string_view name) {
    return startsWithIgnoringCase(name, "array") || startsWithIgnoringCase(name, "dict") ||
           startsWithIgnoringCase(name, "plist");
}

// 'a', 'd' or 'p' for the exact names libplist accepts, 0 otherwise.
char nestingKind(std::string_view name) {
    if (name == "array")
        return 'a';
    if (name == "dict")
        return 'd';
    if (name == "plist")
        return 'p';
    return 0;
}

// Index of the '>' ending a tag or declaration that starts before `from`.
// Refuses a '<' inside, an unterminated tag, and quoted text that libplist
// would end the tag in.
std::optional<std::size_t> tagEnd(std::string_view text, std::size_t from, bool allowBrackets) {
    char quote = 0;
    for (std::size_t i = from; i < text.size(); ++i) {
        const char c = text[i];
        if (quote) {
            if (c == quote)
                quote = 0;
            else if (c == '<' || (c == '>' && quote == '\''))
                return std::nullopt;
        } else if (c == '"' || c == '\'') {
            quote = c;
        } else if (c == '<' || (!allowBrackets && c == '[')) {
            return std::nullopt;
        } else if (c == '>') {
            return i;
        }
    }
    return std::nullopt;
}

Result<void> checkXml(std::string_view text) {
    const Failure ambiguous{FailureKind::Malformed, "",
                            "property list markup is too irregular to check safely"};
    std::vector<char> open;
    std::size_t containers = 0;

    std::size_t i = 0;
    while ((i = text.find('<', i)) != std::string_view::npos) {
        const std::string_view rest = text.substr(i);

        // Regions whose content libplist skips: nothing nesting may hide there.
        std::string_view terminator;
        std::size_t contentStart = 0;
        if (rest.starts_with("<!--")) {
            terminator = "-->";
            contentStart = 4;
        } else if (rest.starts_with("<![CDATA[")) {
            terminator = "]]>";
            contentStart = 9;
        } else if (rest.starts_with("<?")) {
            terminator = "?>";
            contentStart = 2;
        }
        if (!terminator.empty()) {
            const std::size_t end = text.find(terminator, i + contentStart);
            if (end == std::string_view::npos)
                return ambiguous;
            // Should libplist end the region elsewhere, whatever it found there
            // could nest at most once per '<': harmless below the limit.
            const std::string_view content = text.substr(i, end - i);
            if (containers + static_cast<std::size_t>(std::count(content.begin(), content.end(), '<')) >
                PlistFile::kMaxDepth)
                return ambiguous;
            i = end + terminator.size();
            continue;
        }

        // A declaration (DOCTYPE). Internal subsets are refused: plists never have them.
        if (rest.starts_with("<!")) {
            const auto end = tagEnd(text, i + 2, false);
            if (!end)
                return ambiguous;
            i = *end + 1;
            continue;
        }

        if (rest.starts_with("</")) {
            std::size_t j = i + 2;
            while (j < text.size() && isNameChar(text[j]))
                ++j;
            const std::string_view name = text.substr(i + 2, j - i - 2);
            while (j < text.size() && isXmlSpace(text[j]))
                ++j;
            if (name.empty() || j == text.size() || text[j] != '>')
                return ambiguous;
            if (const char kind = nestingKind(name)) {
                // A close with nothing open is trailing text libplist never reaches.
                if (!open.empty()) {
                    if (open.back() != kind)
                        return ambiguous;
                    if (kind != 'p')
                        --containers;
                    open.pop_back();
                }
            } else if (namesNestingTag(name)) {
                return ambiguous;
            }
            i = j + 1;
            continue;
        }

        if (rest.size() < 2 || !isNameStart(rest[1]))
            return ambiguous;
        std::size_t j = i + 1;
        while (j < text.size() && isNameChar(text[j]))
            ++j;
        const std::string_view name = text.substr(i + 1, j - i - 1);
        const auto end = tagEnd(text, j, true);
        if (!end)
            return ambiguous;
        // libplist reads a tag as empty when '/' comes right before its '>'.
        const bool selfClosing = text[*end - 1] == '/';
        if (const char kind = nestingKind(name)) {
            if (!selfClosing) {
                open.push_back(kind);
                if (kind != 'p')
                    ++containers;
                if (containers > PlistFile::kMaxDepth || open.size() > 2 * PlistFile::kMaxDepth)
                    return Failure{FailureKind::TooDeep, "",
                                   "property list nests deeper than " + std::to_string(PlistFile::kMaxDepth) +
                                       " levels"};
            }
        } else if (namesNestingTag(name)) {
            return ambiguous;
        }
        i = *end + 1;
    }
    return {};
}

// --- Binary ----------------------------------------------------------------
//
// Walks the object graph from the top object once, with memoised depth and
// value counts, so shared sub-objects cost nothing extra and cycles are found.
// Every offset, length and reference is checked against the file.

std::uint64_t readBigEndian(const std::uint8_t* bytes, std::size_t size) {
    std::uint64_t value = 0;
    for (std::size_t i = 0; i < size; ++i)
        value = (value << 8) | bytes[i];
    return value;
}

class BinaryGraph {
  public:
    explicit BinaryGraph(std::span<const std::uint8_t> bytes) : m_bytes(bytes) {}

    Result<void> check() {
        if (m_bytes.size() < kBinaryMagic.size() + kTrailerSize)
            return Failure{FailureKind::Malformed, "", "binary property list is truncated"};
        const std::uint8_t* trailer = m_bytes.data() + m_bytes.size() - kTrailerSize;
        m_offsetSize = trailer[6];
        m_refSize = trailer[7];
        m_objectCount = readBigEndian(trailer + 8, 8);
        const std::uint64_t top = readBigEndian(trailer + 16, 8);
        m_tableOffset = readBigEndian(trailer + 24, 8);

        const std::uint64_t tableLimit = m_bytes.size() - kTrailerSize;
        if (m_offsetSize < 1 || m_offsetSize > 8 || m_refSize < 1 || m_refSize > 8)
            return malformed();
        if (m_objectCount == 0 || top >= m_objectCount || m_tableOffset < kBinaryMagic.size() ||
            m_tableOffset > tableLimit || m_objectCount > (tableLimit - m_tableOffset) / m_offsetSize)
            return malformed();
        // A writer stores each reachable object once, so more objects than
        // values would mean more values than allowed anyway.
        if (m_objectCount > PlistFile::kMaxValues)
            return tooMany();

        m_state.assign(m_objectCount, kUnseen);
        m_depth.assign(m_objectCount, 0);
        m_values.assign(m_objectCount, 0);
        m_keyChecked.assign(m_objectCount, false);
        return walk(top);
    }

  private:
    enum : std::uint8_t { kUnseen, kOnPath, kDone };

    struct Object {
        unsigned type = 0;
        // Where the payload (string bytes, references) starts, and its count.
        std::uint64_t at = 0;
        std::uint64_t length = 0;
        bool container = false;
        std::uint64_t refCount = 0;
        // Dictionaries list their keys first.
        std::uint64_t keyCount = 0;
    };

    struct Frame {
        std::uint64_t object;
        Object info;
        std::uint64_t next = 0;
        std::size_t deepestChild = 0;
        std::uint64_t values = 1;
    };

    static Failure malformed() {
        return Failure{FailureKind::Malformed, "", "binary property list is malformed"};
    }
    static Failure tooMany() {
        return Failure{FailureKind::TooMany, "",
                       "binary property list expands to more than " + std::to_string(PlistFile::kMaxValues) +
                           " values"};
    }
    static Failure tooDeep() {
        return Failure{FailureKind::TooDeep, "",
                       "property list nests deeper than " + std::to_string(PlistFile::kMaxDepth) + " levels"};
    }

    // Validates the encoding of one object; containers also say where their references are.
    std::optional<Object> inspect(std::uint64_t index) const {
        const std::uint64_t offset =
            readBigEndian(m_bytes.data() + m_tableOffset + index * m_offsetSize, m_offsetSize);
        if (offset < kBinaryMagic.size() || offset >= m_tableOffset)
            return std::nullopt;
        const std::uint8_t marker = m_bytes[offset];
        const unsigned type = marker >> 4;
        const unsigned info = marker & 0xF;
        std::uint64_t at = offset + 1;
        auto fits = [&](std::uint64_t size) { return size <= m_tableOffset - at; };
        auto length = [&]() -> std::optional<std::uint64_t> {
            if (info != 0xF)
                return info;
            if (!fits(1) || (m_bytes[at] >> 4) != 0x1 || (m_bytes[at] & 0xF) > 3)
                return std::nullopt;
            const std::uint64_t size = std::uint64_t{1} << (m_bytes[at] & 0xF);
            ++at;
            if (!fits(size))
                return std::nullopt;
            const std::uint64_t value = readBigEndian(m_bytes.data() + at, size);
            at += size;
            return value;
        };
        auto scalar = [&](bool valid, std::uint64_t size = 0) {
            return valid ? std::optional<Object>(Object{type, at, size}) : std::nullopt;
        };

        switch (type) {
        case 0x0: // null, false, true, fill
            return scalar(info == 0x0 || info == 0x8 || info == 0x9 || info == 0xF);
        case 0x1: // integer of 2^info bytes
            return scalar(info <= 4 && fits(std::uint64_t{1} << info));
        case 0x2: // real
            return scalar((info == 2 || info == 3) && fits(std::uint64_t{1} << info));
        case 0x3: // date
            return scalar(info == 3 && fits(8));
        case 0x4:   // data
        case 0x5:   // ASCII string
        case 0x7: { // UTF-8 string
            const auto size = length();
            return scalar(size && fits(*size), size.value_or(0));
        }
        case 0x6: { // UTF-16 string, length in code units
            const auto units = length();
            return scalar(units && *units <= (m_tableOffset - at) / 2, units.value_or(0));
        }
        case 0x8: // UID of info + 1 bytes
            return scalar(fits(info + 1));
        case 0xA:   // array
        case 0xC:   // set
        case 0xD: { // dictionary: keys, then values
            const auto count = length();
            const std::uint64_t perEntry = type == 0xD ? 2 : 1;
            if (!count || *count > (m_tableOffset - at) / m_refSize / perEntry)
                return std::nullopt;
            return Object{type, at, *count, true, *count * perEntry, type == 0xD ? *count : 0};
        }
        default:
            return std::nullopt;
        }
    }

    // libplist stops the process (an assertion) on a key holding NUL; it
    // rejects keys that are not strings by itself, but those are refused here too.
    bool validKey(std::uint64_t index) {
        if (m_keyChecked[index])
            return true;
        const auto key = inspect(index);
        if (!key)
            return false;
        const std::uint8_t* payload = m_bytes.data() + key->at;
        if (key->type == 0x5) {
            if (std::memchr(payload, 0, key->length))
                return false;
        } else if (key->type == 0x6) {
            for (std::uint64_t unit = 0; unit < key->length; ++unit)
                if (payload[2 * unit] == 0 && payload[2 * unit + 1] == 0)
                    return false;
        } else {
            return false;
        }
        m_keyChecked[index] = true;
        return true;
    }

    // Records a finished child in its parent.
    Result<void> accumulate(Frame& parent, std::uint64_t child) {
        parent.deepestChild = std::max<std::size_t>(parent.deepestChild, m_depth[child]);
        parent.values += m_values[child];
        if (parent.values > PlistFile::kMaxValues)
            return tooMany();
        return {};
    }

    // Either finishes a scalar (or an already known object) at once, or opens a frame.
    Result<void> enter(std::uint64_t object, std::vector<Frame>& path) {
        if (m_state[object] == kOnPath)
            return Failure{FailureKind::Malformed, "", "binary property list refers to itself"};
        if (m_state[object] == kUnseen) {
            const auto info = inspect(object);
            if (!info)
                return malformed();
            if (info->container) {
                if (path.size() >= PlistFile::kMaxDepth)
                    return tooDeep();
                m_state[object] = kOnPath;
                path.push_back(Frame{object, *info});
                return {};
            }
            m_state[object] = kDone;
            m_values[object] = 1;
        }
        return path.empty() ? Result<void>{} : accumulate(path.back(), object);
    }

    Result<void> walk(std::uint64_t top) {
        std::vector<Frame> path;
        if (auto entered = enter(top, path); !entered)
            return entered;
        while (!path.empty()) {
            Frame& frame = path.back();
            if (frame.next < frame.info.refCount) {
                const std::uint64_t child =
                    readBigEndian(m_bytes.data() + frame.info.at + frame.next * m_refSize, m_refSize);
                const bool isKey = frame.next < frame.info.keyCount;
                ++frame.next;
                if (child >= m_objectCount)
                    return malformed();
                if (isKey && !validKey(child))
                    return Failure{FailureKind::Malformed, "",
                                   "binary property list has a dictionary key that is not a plain string"};
                if (auto entered = enter(child, path); !entered)
                    return entered;
                continue;
            }
            const std::uint64_t object = frame.object;
            const std::size_t depth = frame.deepestChild + 1;
            if (depth > PlistFile::kMaxDepth)
                return tooDeep();
            m_state[object] = kDone;
            m_depth[object] = static_cast<std::uint8_t>(depth);
            m_values[object] = static_cast<std::uint32_t>(frame.values);
            path.pop_back();
            if (!path.empty())
                if (auto added = accumulate(path.back(), object); !added)
                    return added;
        }
        return {};
    }

    std::span<const std::uint8_t> m_bytes;
    std::size_t m_offsetSize = 0;
    std::size_t m_refSize = 0;
    std::uint64_t m_objectCount = 0;
    std::uint64_t m_tableOffset = 0;
    std::vector<std::uint8_t> m_state;
    std::vector<std::uint8_t> m_depth;
    std::vector<std::uint32_t> m_values;
    std::vector<bool> m_keyChecked;
};

static_assert(PlistFile::kMaxDepth < 256 && PlistFile::kMaxValues < (1ULL << 31),
              "memo tables hold depths in a byte and counts in 32 bits");

} // namespace

Result<void> PlistGuard::check(std::span<const std::uint8_t> bytes) {
    if (bytes.empty())
        return Failure{FailureKind::Malformed, "", "property list is empty"};
    if (bytes.size() > PlistFile::kMaxFileSize)
        return Failure{FailureKind::TooLarge, "",
                       "property list is larger than " + std::to_string(PlistFile::kMaxFileSize) + " bytes"};
    // The same test libplist uses to pick its parser.
    if (bytes.size() >= kBinaryMagic.size() &&
        std::memcmp(bytes.data(), kBinaryMagic.data(), kBinaryMagic.size()) == 0)
        return BinaryGraph(bytes).check();
    // Not valid XML, and libplist would cut keys short at it.
    if (std::memchr(bytes.data(), 0, bytes.size()))
        return Failure{FailureKind::Malformed, "", "XML property list holds a NUL byte"};
    return checkXml(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

} // namespace ns
