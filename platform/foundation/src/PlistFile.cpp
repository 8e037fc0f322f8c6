#include <Foundation/PlistFile.h>

#include "HostFile.h"
#include "PlistExactness.h"
#include "PlistGuard.h"
#include "PlistXmlWriter.h"
#include "TextEncoding.h"

#include <Foundation/DevicePath.h>
#include <Foundation/NSLog.h>
#include <Foundation/PlistFileLock.h>
#include <Foundation/PrintableText.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cmath>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <dirent.h>
#include <limits>
#include <memory>
#include <optional>
#include <plist/plist.h>
#include <sys/stat.h>
#include <unistd.h>

namespace ns {

namespace {

struct NodeDeleter {
    void operator()(void* node) const { plist_free(node); }
};
using Node = std::unique_ptr<void, NodeDeleter>;

// libplist keeps the key type of archived objects; the XML form of one is this dictionary.
constexpr const char* kUidKey = "CF$UID";

Failure tooDeep() {
    return Failure{FailureKind::TooDeep, "",
                   "property list nests deeper than " + std::to_string(PlistFile::kMaxDepth) + " levels"};
}

// libplist 2.2 keeps 64-bit dates and unsigned integers inside but hands them
// out cut down; its own XML rendering of the node still shows the whole value.
std::string renderedElement(plist_t node) {
    char* buffer = nullptr;
    std::uint32_t length = 0;
    plist_to_xml(node, &buffer, &length);
    if (!buffer)
        return {};
    const std::string text(buffer, length);
    plist_to_xml_free(buffer);
    const std::size_t body = text.find("<plist");
    const std::size_t open = text.find('>', text.find('<', text.find('>', body) + 1));
    const std::size_t close = text.find('<', open);
    return open == std::string::npos || close == std::string::npos ? std::string()
                                                                   : text.substr(open + 1, close - open - 1);
}

Result<PlistValue> fromNode(plist_t node, std::size_t depth) {
    switch (plist_get_node_type(node)) {
    case PLIST_BOOLEAN: {
        // libplist leaves the output alone on a type mismatch, so outputs start initialised.
        std::uint8_t value = 0;
        plist_get_bool_val(node, &value);
        return PlistValue(value != 0);
    }
    case PLIST_UINT: {
        // Stored unsigned whatever the file meant; above the signed maximum
        // only the node's own text tells a negative number from a large one.
        std::uint64_t value = 0;
        plist_get_uint_val(node, &value);
        if (value > static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max()) &&
            !renderedElement(node).starts_with("-"))
            return PlistValue(value);
        return PlistValue(static_cast<std::int64_t>(value));
    }
    case PLIST_REAL: {
        double value = 0;
        plist_get_real_val(node, &value);
        return PlistValue(value);
    }
    case PLIST_STRING: {
        std::uint64_t length = 0;
        const char* text = plist_get_string_ptr(node, &length);
        return PlistValue(text ? std::string(text, length) : std::string());
    }
    case PLIST_DATA: {
        std::uint64_t length = 0;
        const char* bytes = plist_get_data_ptr(node, &length);
        const auto* begin = reinterpret_cast<const std::uint8_t*>(bytes);
        return PlistValue(bytes ? PlistData(begin, begin + length) : PlistData());
    }
    case PLIST_DATE: {
        std::int32_t seconds = 0;
        std::int32_t micros = 0;
        plist_get_date_val(node, &seconds, &micros);
        // Dates beyond 32-bit seconds come out pinned to the limits: those are
        // read from the node's text, which holds whole seconds.
        if (seconds == std::numeric_limits<std::int32_t>::min() ||
            seconds == std::numeric_limits<std::int32_t>::max()) {
            const auto whole = PlistXmlWriter::parseDateText(renderedElement(node));
            if (!whole)
                return Failure{FailureKind::Malformed, "", "property list holds a date that cannot be read"};
            return PlistValue(PlistValue::Date{*whole});
        }
        // libplist answers the fraction without its sign; the whole seconds carry it.
        const double fraction = static_cast<double>(std::abs(static_cast<std::int64_t>(micros))) / 1e6;
        return PlistValue(PlistValue::Date{seconds < 0 ? seconds - fraction : seconds + fraction});
    }
    case PLIST_UID: {
        std::uint64_t value = 0;
        plist_get_uid_val(node, &value);
        return PlistValue(PlistDictionary{{kUidKey, PlistValue(static_cast<std::int64_t>(value))}});
    }
    case PLIST_ARRAY: {
        if (depth >= PlistFile::kMaxDepth)
            return tooDeep();
        PlistArray items;
        const std::uint32_t count = plist_array_get_size(node);
        items.reserve(count);
        for (std::uint32_t i = 0; i < count; ++i) {
            items.push_back(TRY(fromNode(plist_array_get_item(node, i), depth + 1)));
        }
        return PlistValue(std::move(items));
    }
    case PLIST_DICT: {
        if (depth >= PlistFile::kMaxDepth)
            return tooDeep();
        PlistDictionary entries;
        plist_dict_iter iterator = nullptr;
        plist_dict_new_iter(node, &iterator);
        std::unique_ptr<void, decltype(&std::free)> ownedIterator(iterator, &std::free);
        for (;;) {
            char* key = nullptr;
            plist_t item = nullptr;
            plist_dict_next_item(node, iterator, &key, &item);
            std::unique_ptr<char, decltype(&std::free)> ownedKey(key, &std::free);
            if (!item)
                break;
            std::string name = key ? std::string(key) : std::string();
            entries.insert_or_assign(name, TRY(fromNode(item, depth + 1)));
        }
        return PlistValue(std::move(entries));
    }
    default:
        return Failure{FailureKind::Malformed, "", "property list holds a value of an unknown type"};
    }
}

Result<Node> toNode(const PlistValue& value, std::size_t depth);

Result<Node> dictionaryNode(const PlistDictionary& dictionary, std::size_t depth) {
    if (depth >= PlistFile::kMaxDepth)
        return tooDeep();
    Node node(plist_new_dict());
    for (const auto& [key, item] : dictionary) {
        if (key.find('\0') != std::string::npos)
            return Failure{FailureKind::Unencodable, "", "a dictionary key holds a NUL character"};
        plist_dict_set_item(node.get(), key.c_str(),
                            TRY(toNode(item, depth + 1).within("key \"" + key + "\"")).release());
    }
    return node;
}

Result<Node> toNode(const PlistValue& value, std::size_t depth) {
    switch (value.kind()) {
    case PlistValue::Kind::Null:
        return Failure{FailureKind::Unencodable, "", "null has no property-list form"};
    case PlistValue::Kind::Bool:
        return Node(plist_new_bool(*value.asBool() ? 1 : 0));
    case PlistValue::Kind::Integer:
        // libplist's binary writer would store it as a negative number.
        if (value.isWideUnsigned())
            return Failure{FailureKind::Unencodable, "", "an unsigned integer beyond the signed range"};
        return Node(plist_new_uint(static_cast<std::uint64_t>(*value.asInteger())));
    case PlistValue::Kind::Real:
        return Node(plist_new_real(*value.asReal()));
    case PlistValue::Kind::String: {
        const std::string& text = *value.asString();
        if (text.find('\0') != std::string::npos)
            return Failure{FailureKind::Unencodable, "", "a string holds a NUL character"};
        return Node(plist_new_string(text.c_str()));
    }
    case PlistValue::Kind::Data: {
        static const char kNoBytes = 0;
        const PlistData& bytes = *value.asData();
        return Node(plist_new_data(bytes.empty() ? &kNoBytes : reinterpret_cast<const char*>(bytes.data()),
                                   bytes.size()));
    }
    case PlistValue::Kind::Date: {
        // libplist takes whole seconds as a 32-bit number.
        const double seconds = value.asDate()->secondsSince2001;
        if (!(seconds > std::numeric_limits<std::int32_t>::min() - 1.0 &&
              seconds < std::numeric_limits<std::int32_t>::max() + 1.0))
            return Failure{FailureKind::Unencodable, "", "date is out of the property-list range"};
        const auto whole = static_cast<std::int32_t>(seconds);
        const auto micros = static_cast<std::int32_t>(std::lround((seconds - whole) * 1e6));
        return Node(plist_new_date(whole, micros));
    }
    case PlistValue::Kind::Array: {
        if (depth >= PlistFile::kMaxDepth)
            return tooDeep();
        Node node(plist_new_array());
        for (const PlistValue& item : *value.asArray()) {
            plist_array_append_item(node.get(), TRY(toNode(item, depth + 1)).release());
        }
        return node;
    }
    case PlistValue::Kind::Dictionary:
        return dictionaryNode(*value.asDictionary(), depth);
    }
    return Failure{FailureKind::Unencodable, "", "value has no property-list form"};
}

// UTF-16 XML as UTF-8, which is all libplist reads. Nothing when the bytes do
// not start like UTF-16 XML; a failure when they do but are not valid UTF-16.
std::optional<Result<std::vector<std::uint8_t>>> utf8FromUtf16(std::span<const std::uint8_t> bytes) {
    enum class Order { Big, Little };
    std::optional<Order> order;
    std::size_t start = 0;
    if (bytes.size() >= 2 && bytes[0] == 0xFE && bytes[1] == 0xFF)
        order = Order::Big, start = 2;
    else if (bytes.size() >= 2 && bytes[0] == 0xFF && bytes[1] == 0xFE)
        order = Order::Little, start = 2;
    else if (bytes.size() >= 4 && bytes[0] == 0 && bytes[1] == '<' && bytes[2] == 0)
        order = Order::Big;
    else if (bytes.size() >= 4 && bytes[0] == '<' && bytes[1] == 0 && bytes[3] == 0)
        order = Order::Little;
    if (!order)
        return std::nullopt;
    const Failure invalid{FailureKind::Malformed, "", "UTF-16 property list holds invalid text"};
    if ((bytes.size() - start) % 2 != 0)
        return Result<std::vector<std::uint8_t>>(invalid);
    auto unit = [&](std::size_t at) -> std::uint32_t {
        return *order == Order::Big ? (bytes[at] << 8) | bytes[at + 1] : bytes[at] | (bytes[at + 1] << 8);
    };
    std::vector<std::uint8_t> out;
    out.reserve(bytes.size());
    for (std::size_t at = start; at < bytes.size(); at += 2) {
        std::uint32_t code = unit(at);
        if (code >= 0xDC00 && code <= 0xDFFF)
            return Result<std::vector<std::uint8_t>>(invalid);
        if (code >= 0xD800 && code <= 0xDBFF) {
            if (at + 3 >= bytes.size())
                return Result<std::vector<std::uint8_t>>(invalid);
            const std::uint32_t low = unit(at + 2);
            if (low < 0xDC00 || low > 0xDFFF)
                return Result<std::vector<std::uint8_t>>(invalid);
            code = 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00);
            at += 2;
        }
        if (code < 0x80) {
            out.push_back(static_cast<std::uint8_t>(code));
        } else if (code < 0x800) {
            out.push_back(static_cast<std::uint8_t>(0xC0 | (code >> 6)));
            out.push_back(static_cast<std::uint8_t>(0x80 | (code & 0x3F)));
        } else if (code < 0x10000) {
            out.push_back(static_cast<std::uint8_t>(0xE0 | (code >> 12)));
            out.push_back(static_cast<std::uint8_t>(0x80 | ((code >> 6) & 0x3F)));
            out.push_back(static_cast<std::uint8_t>(0x80 | (code & 0x3F)));
        } else {
            out.push_back(static_cast<std::uint8_t>(0xF0 | (code >> 18)));
            out.push_back(static_cast<std::uint8_t>(0x80 | ((code >> 12) & 0x3F)));
            out.push_back(static_cast<std::uint8_t>(0x80 | ((code >> 6) & 0x3F)));
            out.push_back(static_cast<std::uint8_t>(0x80 | (code & 0x3F)));
        }
    }
    return Result<std::vector<std::uint8_t>>(std::move(out));
}

std::pair<std::string, std::string> splitPath(const std::string& hostPath) {
    const std::size_t slash = hostPath.rfind('/');
    if (slash == std::string::npos)
        return {".", hostPath};
    return {slash == 0 ? "/" : hostPath.substr(0, slash), hostPath.substr(slash + 1)};
}

std::vector<std::string> namesIn(const std::string& directory) {
    std::vector<std::string> names;
    struct Closer {
        void operator()(DIR* folder) const { ::closedir(folder); }
    };
    std::unique_ptr<DIR, Closer> folder(::opendir(directory.c_str()));
    if (!folder)
        return names;
    while (const dirent* entry = ::readdir(folder.get()))
        names.emplace_back(entry->d_name);
    return names;
}

// Temporaries of writers that were killed before their rename; run under the
// file's lock, so no live writer of this file is between its steps.
void removeStaleTemporaries(const std::string& hostPath, HostFile::Links links) {
    const auto [directory, name] = splitPath(hostPath);
    const std::string prefix = "." + name + ".";
    for (const std::string& entry : namesIn(directory)) {
        if (!entry.starts_with(prefix))
            continue;
        const std::string rest = entry.substr(prefix.size());
        const std::size_t dot = rest.find('.');
        if (dot == 0 || dot == std::string::npos ||
            !std::all_of(rest.begin(), rest.begin() + static_cast<std::ptrdiff_t>(dot), ::isdigit))
            continue;
        const long pid = std::strtol(rest.substr(0, dot).c_str(), nullptr, 10);
        if (pid > 0 && ::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH)
            HostFile::removeBeside(hostPath, entry, links);
    }
}

// Failures that mean a file is there but holds nothing this reader can use.
bool isUnreadableFile(FailureKind kind) {
    switch (kind) {
    case FailureKind::Malformed:
    case FailureKind::NotDictionary:
    case FailureKind::TooDeep:
    case FailureKind::TooMany:
    case FailureKind::TooLarge:
    case FailureKind::Unreadable:
        return true;
    default:
        return false;
    }
}

// Keeps the bytes of a file beside it before a writer replaces it, so that a
// file this reader misjudges is never simply lost, and tells the user in one
// line on stderr: a reset they are not told about looks like lost settings.
Result<void> keepAside(const std::string& hostPath, const std::string& why, HostFile::Links links) {
    const auto [directory, name] = splitPath(hostPath);
    const std::time_t now = std::time(nullptr);
    std::tm utc{};
    ::gmtime_r(&now, &utc);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y%m%dT%H%M%SZ", &utc);
    const std::string keptPrefix = name + PlistFile::kUnreadableInfix;
    // Copies made within one second are numbered; ordered by time, then number.
    auto order = [&](const std::string& entry) {
        const std::string rest = entry.substr(keptPrefix.size());
        const std::size_t dash = rest.find('-');
        return std::pair(rest.substr(0, dash),
                         dash == std::string::npos ? 0L : std::strtol(rest.c_str() + dash + 1, nullptr, 10));
    };
    std::vector<std::string> keptNames;
    for (const std::string& entry : namesIn(directory))
        if (entry.starts_with(keptPrefix))
            keptNames.push_back(entry);
    long next = 0;
    for (const std::string& entry : keptNames)
        if (const auto [when, number] = order(entry); when == stamp)
            next = std::max(next, number + 1);
    const std::string kept =
        hostPath + PlistFile::kUnreadableInfix + stamp + (next ? "-" + std::to_string(next) : std::string());
    // A hard link keeps the old bytes without copying and leaves the file in
    // place until the new one replaces it.
    if (auto linked = HostFile::linkBeside(hostPath, kept.substr(directory.size() + 1), links); !linked)
        return Failure{FailureKind::Unwritable, hostPath,
                       "cannot keep the old file before replacing it: " + linked.failure().detail};
    NSLog("kept " + kept + " before replacing it: " + why);
    std::fprintf(stderr, "%s\n", PrintableText::escaped("kept the old file as " + kept + ": " + why).c_str());

    keptNames.push_back(kept.substr(directory.size() + 1));
    std::sort(keptNames.begin(), keptNames.end(),
              [&](const std::string& a, const std::string& b) { return order(a) < order(b); });
    for (std::size_t i = 0; i + PlistFile::kUnreadableKept < keptNames.size(); ++i)
        HostFile::removeBeside(hostPath, keptNames[i], links);
    return {};
}

// What a writer found in the file it replaces: its contents, or why it has
// none, and the first value libplist did not read exactly.
struct PreviousFile {
    Result<PlistDictionary> contents;
    std::optional<std::string> inexact;
};

PreviousFile readPrevious(const std::string& hostPath, HostFile::Links links);

// Writes under the file's lock. Values carried over from the previous file
// that no file can hold exactly (a real read as infinity is fine; a control
// character in a key is not) are dropped rather than blocking every save, and
// the previous file is kept aside, as it is when it was read inexactly.
Result<void> replaceLocked(const std::string& hostPath, PlistDictionary dictionary,
                           const PreviousFile& previous, HostFile::Links links) {
    // A folder or FIFO in the file's place is not a file to replace.
    if (!previous.contents.ok() && previous.contents.failure().kind == FailureKind::NotRegularFile)
        return previous.contents.failure();
    auto bytes = PlistFile::encodeDictionary(dictionary, PlistFile::Format::Xml);
    std::string dropped;
    if (!bytes.ok() && bytes.failure().kind == FailureKind::Unencodable && previous.contents.ok()) {
        const PlistDictionary& old = previous.contents.value();
        for (auto it = dictionary.begin(); it != dictionary.end();) {
            const auto before = old.find(it->first);
            if (before != old.end() && before->second == it->second &&
                !PlistFile::encodeDictionary({*it}, PlistFile::Format::Xml).ok()) {
                dropped += (dropped.empty() ? "\"" : ", \"") + it->first + "\"";
                it = dictionary.erase(it);
            } else {
                ++it;
            }
        }
        if (!dropped.empty())
            bytes = PlistFile::encodeDictionary(dictionary, PlistFile::Format::Xml);
    }
    if (!bytes.ok())
        return Result<void>(bytes.failure()).at(hostPath);
    if (!previous.contents.ok() && isUnreadableFile(previous.contents.failure().kind))
        TRY(keepAside(hostPath, "it could not be read (" + previous.contents.failure().detail + ")", links));
    else if (!dropped.empty())
        TRY(keepAside(hostPath,
                      "no file can hold the values of " + dropped + " as they are; they were left out",
                      links));
    else if (previous.inexact)
        TRY(keepAside(hostPath, "it holds " + *previous.inexact + ", which a rewrite would change", links));
    removeStaleTemporaries(hostPath, links);
    return HostFile::writeAtomically(hostPath, bytes.value(), links);
}

} // namespace

namespace {

// The bytes libplist is given: XML in UTF-8, whatever its encoding was.
struct Normalised {
    std::vector<std::uint8_t> owned;
    std::span<const std::uint8_t> bytes;
};

Result<Normalised> normalised(std::span<const std::uint8_t> bytes) {
    Normalised out;
    out.bytes = bytes;
    // libplist reads UTF-8 only; other writers use UTF-16 too.
    if (auto utf16 = utf8FromUtf16(bytes)) {
        out.owned = TRY(std::move(*utf16));
        out.bytes = out.owned;
    }
    // libplist refuses a UTF-8 byte order mark that other writers put before XML.
    // Dropped before the checks, so that they see exactly what libplist parses.
    static constexpr std::uint8_t kByteOrderMark[] = {0xEF, 0xBB, 0xBF};
    if (out.bytes.size() >= 3 && std::equal(out.bytes.begin(), out.bytes.begin() + 3, kByteOrderMark))
        out.bytes = out.bytes.subspan(3);
    // libplist ignores the declared encoding and would take Latin-1 bytes as UTF-8.
    if (out.owned.empty())
        if (auto converted = TRY(TextEncoding::toUtf8(out.bytes))) {
            out.owned = std::move(*converted);
            out.bytes = out.owned;
        }
    return out;
}

Result<PlistDictionary> parseNormalised(std::span<const std::uint8_t> bytes) {
    TRY(PlistGuard::check(bytes));
    plist_t parsed = nullptr;
    plist_from_memory(reinterpret_cast<const char*>(bytes.data()), static_cast<std::uint32_t>(bytes.size()),
                      &parsed);
    // libplist reports no reason; a failed parse is just a missing root.
    Node root(parsed);
    if (!root)
        return Failure{FailureKind::Malformed, "", "not a property list"};
    if (plist_get_node_type(root.get()) != PLIST_DICT)
        return Failure{FailureKind::NotDictionary, "", "property list does not hold a dictionary"};
    PlistValue value = TRY(fromNode(root.get(), 0));
    return std::move(*value.asDictionary());
}

PreviousFile readPrevious(const std::string& hostPath, HostFile::Links links) {
    auto bytes = HostFile::read(hostPath, PlistFile::kMaxFileSize, nullptr, links);
    if (!bytes.ok())
        return {bytes.failure(), std::nullopt};
    auto text = normalised(bytes.value()).at(hostPath);
    if (!text.ok())
        return {text.failure(), std::nullopt};
    auto contents = parseNormalised(text.value().bytes).at(hostPath);
    if (!contents.ok())
        return {std::move(contents), std::nullopt};
    return {std::move(contents), PlistExactness::firstInexactValue(text.value().bytes)};
}

} // namespace

Result<PlistDictionary> PlistFile::parseDictionary(std::span<const std::uint8_t> bytes) {
    const Normalised text = TRY(normalised(bytes));
    return parseNormalised(text.bytes);
}

Result<PlistDictionary> PlistFile::parseDictionary(std::string_view text) {
    return parseDictionary(std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
}

Result<std::vector<std::uint8_t>> PlistFile::encodeDictionary(const PlistDictionary& dictionary,
                                                              Format format) {
    if (format == Format::Xml)
        return PlistXmlWriter::encode(dictionary);
    Node root = TRY(dictionaryNode(dictionary, 0));
    // The writer fills the buffer only when the pointer is null on entry.
    char* buffer = nullptr;
    std::uint32_t length = 0;
    plist_to_bin(root.get(), &buffer, &length);
    if (!buffer)
        return Failure{FailureKind::Unencodable, "", "property list could not be encoded"};
    const auto* begin = reinterpret_cast<const std::uint8_t*>(buffer);
    std::vector<std::uint8_t> bytes(begin, begin + length);
    plist_to_bin_free(buffer);
    return bytes;
}

Result<PlistDictionary> PlistFile::readDictionaryAtHostPath(const std::string& hostPath) {
    // A file over the limit is refused by its size before a byte is read.
    const auto bytes = TRY(HostFile::read(hostPath, kMaxFileSize));
    return parseDictionary(std::span<const std::uint8_t>(bytes)).at(hostPath);
}

namespace {

// `readPath` is where the current contents are read (a device file's link
// followed inside the device), `hostPath` the entry the new file replaces.
Result<void> writeAt(const std::string& hostPath, const std::string& readPath,
                     const PlistDictionary& dictionary, HostFile::Links links) {
    const auto lock = TRY(PlistFileLock::acquireAtHostPath(hostPath));
    return replaceLocked(hostPath, dictionary, readPrevious(readPath, links), links);
}

Result<void> updateAt(const std::string& hostPath, const std::string& readPath,
                      const PlistFile::Change& change, HostFile::Links links) {
    const auto lock = TRY(PlistFileLock::acquireAtHostPath(hostPath));
    const PreviousFile previous = readPrevious(readPath, links);
    PlistDictionary dictionary;
    if (previous.contents.ok())
        dictionary = previous.contents.value();
    else if (previous.contents.failure().kind != FailureKind::NotFound &&
             !isUnreadableFile(previous.contents.failure().kind))
        return previous.contents.failure();
    change(dictionary);
    return replaceLocked(hostPath, std::move(dictionary), previous, links);
}

} // namespace

Result<void> PlistFile::writeDictionaryAtHostPath(const std::string& hostPath,
                                                  const PlistDictionary& dictionary) {
    return writeAt(hostPath, hostPath, dictionary, HostFile::Links::follow);
}

Result<void> PlistFile::updateDictionaryAtHostPath(const std::string& hostPath, const Change& change) {
    return updateAt(hostPath, hostPath, change, HostFile::Links::follow);
}

Result<PlistDictionary> PlistFile::readDictionary(const std::string& devicePath) {
    const std::string hostPath = TRY(DevicePath::toHost(devicePath));
    const auto bytes = TRY(HostFile::read(hostPath, kMaxFileSize, nullptr, HostFile::Links::refuse));
    return parseDictionary(std::span<const std::uint8_t>(bytes)).at(hostPath);
}

Result<std::vector<std::uint8_t>> PlistFile::readCheckedText(const std::string& devicePath) {
    const std::string hostPath = TRY(DevicePath::toHost(devicePath));
    auto bytes = TRY(HostFile::read(hostPath, kMaxFileSize, nullptr, HostFile::Links::refuse));
    Normalised text = TRY(normalised(bytes).at(hostPath));
    TRY(PlistGuard::check(text.bytes).at(hostPath));
    if (!text.owned.empty())
        return std::vector<std::uint8_t>(text.bytes.begin(), text.bytes.end());
    bytes.erase(bytes.begin(), bytes.begin() + (text.bytes.data() - bytes.data())); // a byte order mark
    return bytes;
}

Result<PlistFile::StampedDictionary> PlistFile::readStampedDictionary(const std::string& devicePath) {
    const std::string hostPath = TRY(DevicePath::toHost(devicePath));
    struct stat status {};
    const auto bytes = TRY(HostFile::read(hostPath, kMaxFileSize, &status, HostFile::Links::refuse));
    return StampedDictionary{TRY(parseDictionary(std::span<const std::uint8_t>(bytes)).at(hostPath)),
                             FileStamp::ofStatus(status)};
}

Result<void> PlistFile::writeDictionary(const std::string& devicePath, const PlistDictionary& dictionary) {
    return writeAt(TRY(DevicePath::toHost(devicePath, DevicePath::FinalLink::Replace)),
                   TRY(DevicePath::toHost(devicePath)), dictionary, HostFile::Links::refuse);
}

Result<void> PlistFile::updateDictionary(const std::string& devicePath, const Change& change) {
    return updateAt(TRY(DevicePath::toHost(devicePath, DevicePath::FinalLink::Replace)),
                    TRY(DevicePath::toHost(devicePath)), change, HostFile::Links::refuse);
}

} // namespace ns
