#include <Foundation/PlistFile.h>

#include "HostFile.h"
#include "PlistGuard.h"

#include <Foundation/DevicePath.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <memory>
#include <plist/plist.h>

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

Result<PlistValue> fromNode(plist_t node, std::size_t depth) {
    switch (plist_get_node_type(node)) {
    case PLIST_BOOLEAN: {
        // libplist leaves the output alone on a type mismatch, so outputs start initialised.
        std::uint8_t value = 0;
        plist_get_bool_val(node, &value);
        return PlistValue(value != 0);
    }
    case PLIST_UINT: {
        // Stored unsigned; the file meant a signed 64-bit integer.
        std::uint64_t value = 0;
        plist_get_uint_val(node, &value);
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

} // namespace

Result<PlistDictionary> PlistFile::parseDictionary(std::span<const std::uint8_t> bytes) {
    // libplist refuses a UTF-8 byte order mark that other writers put before XML.
    // Dropped before the checks, so that they see exactly what libplist parses.
    static constexpr std::uint8_t kByteOrderMark[] = {0xEF, 0xBB, 0xBF};
    if (bytes.size() >= 3 && std::equal(bytes.begin(), bytes.begin() + 3, kByteOrderMark))
        bytes = bytes.subspan(3);
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

Result<PlistDictionary> PlistFile::parseDictionary(std::string_view text) {
    return parseDictionary(std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
}

Result<std::vector<std::uint8_t>> PlistFile::encodeDictionary(const PlistDictionary& dictionary,
                                                              Format format) {
    Node root = TRY(dictionaryNode(dictionary, 0));
    // Both writers fill the buffer only when the pointer is null on entry.
    char* buffer = nullptr;
    std::uint32_t length = 0;
    if (format == Format::Xml)
        plist_to_xml(root.get(), &buffer, &length);
    else
        plist_to_bin(root.get(), &buffer, &length);
    if (!buffer)
        return Failure{FailureKind::Unencodable, "", "property list could not be encoded"};
    const auto* begin = reinterpret_cast<const std::uint8_t*>(buffer);
    std::vector<std::uint8_t> bytes(begin, begin + length);
    if (format == Format::Xml)
        plist_to_xml_free(buffer);
    else
        plist_to_bin_free(buffer);
    return bytes;
}

Result<PlistDictionary> PlistFile::readDictionaryAtHostPath(const std::string& hostPath) {
    const auto bytes = TRY(HostFile::read(hostPath, kMaxFileSize));
    return parseDictionary(std::span<const std::uint8_t>(bytes)).at(hostPath);
}

Result<void> PlistFile::writeDictionaryAtHostPath(const std::string& hostPath,
                                                  const PlistDictionary& dictionary) {
    const auto bytes = TRY(encodeDictionary(dictionary, Format::Xml).at(hostPath));
    return HostFile::writeAtomically(hostPath, bytes);
}

Result<PlistDictionary> PlistFile::readDictionary(const std::string& devicePath) {
    return readDictionaryAtHostPath(TRY(DevicePath::toHost(devicePath)));
}

Result<void> PlistFile::writeDictionary(const std::string& devicePath, const PlistDictionary& dictionary) {
    return writeDictionaryAtHostPath(TRY(DevicePath::toHost(devicePath)), dictionary);
}

} // namespace ns
