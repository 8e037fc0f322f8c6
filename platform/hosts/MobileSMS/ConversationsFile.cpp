#include "ConversationsFile.h"

#include "ConversationsXml.h"

#include <Foundation/PlistFile.h>

#include <array>
#include <utility>

namespace messages {

namespace {

using Kind = CKMessageRecord::Kind;

constexpr std::array<std::pair<const char*, Kind>, 7> kKinds{{
    {"date", Kind::timestamp},
    {"imessage", Kind::iMessage},
    {"sms", Kind::sms},
    {"incoming", Kind::incoming},
    {"picture", Kind::picture},
    {"link", Kind::link},
    {"status", Kind::status},
}};

ns::Failure malformed(const std::string& where, const std::string& what) {
    return ns::Failure{ns::FailureKind::Malformed, ConversationsFile::kDevicePath, where + ": " + what};
}

// A text field: missing is empty; anything but a string is a mistake.
ns::Result<std::string> text(const ns::PlistDictionary& entry, const char* key, const std::string& where) {
    auto found = entry.find(key);
    if (found == entry.end())
        return std::string();
    if (!found->second.isString())
        return malformed(where, std::string("\"") + key + "\" is not a string");
    return *found->second.asString();
}

bool flag(const ns::PlistDictionary& entry, const char* key) {
    auto found = entry.find(key);
    return found != entry.end() && found->second.isNumber() && found->second.boolValue();
}

ns::Result<CKMessageRecord> message(const ns::PlistValue& value, const std::string& where) {
    if (!value.isDictionary())
        return malformed(where, "not a dictionary");
    const ns::PlistDictionary& entry = *value.asDictionary();
    CKMessageRecord record;
    const std::string kind = TRY(text(entry, "kind", where));
    const auto known = ConversationsFile::kindNamed(kind);
    if (!known)
        return malformed(where, "unknown kind \"" + kind +
                                    "\" (one of date, imessage, sms, incoming, picture, link, status)");
    record.kind = *known;
    record.text = TRY(text(entry, "text", where));
    record.detail = TRY(text(entry, "site", where));
    return record;
}

} // namespace

std::optional<CKMessageRecord::Kind> ConversationsFile::kindNamed(std::string_view name) {
    for (const auto& [known, kind] : kKinds)
        if (name == known)
            return kind;
    return std::nullopt;
}

ns::Result<std::vector<CKConversationRecord>> ConversationsFile::load(const std::string& devicePath) {
    // The plain XML the command line writes is walked once; anything else
    // (and every refusal) takes the full parse below.
    auto text = ns::PlistFile::readCheckedText(devicePath);
    if (!text.ok()) {
        if (text.kind() == ns::FailureKind::NotFound)
            return std::vector<CKConversationRecord>{};
        return text.failure();
    }
    if (auto quick = ConversationsXml::read(text.value()))
        return std::move(*quick);
    auto file = ns::PlistFile::readDictionary(devicePath);
    if (!file.ok()) {
        if (file.kind() == ns::FailureKind::NotFound)
            return std::vector<CKConversationRecord>{};
        return file.failure();
    }
    return parse(file.value());
}

ns::Result<std::vector<CKConversationRecord>> ConversationsFile::parse(const ns::PlistDictionary& file) {
    std::vector<CKConversationRecord> conversations;
    auto list = file.find("conversations");
    if (list == file.end())
        return conversations;
    if (!list->second.isArray())
        return malformed("\"conversations\"", "not an array");
    const ns::PlistArray& entries = *list->second.asArray();
    for (size_t i = 0; i < entries.size(); ++i) {
        const std::string where = "conversation " + std::to_string(i + 1);
        if (!entries[i].isDictionary())
            return malformed(where, "not a dictionary");
        const ns::PlistDictionary& entry = *entries[i].asDictionary();
        CKConversationRecord record;
        record.name = TRY(text(entry, "name", where));
        record.summary = TRY(text(entry, "summary", where));
        record.date = TRY(text(entry, "date", where));
        record.unread = flag(entry, "unread");
        record.pinned = flag(entry, "pinned");
        if (auto messages = entry.find("messages"); messages != entry.end()) {
            if (!messages->second.isArray())
                return malformed(where, "\"messages\" is not an array");
            const ns::PlistArray& list = *messages->second.asArray();
            for (size_t m = 0; m < list.size(); ++m)
                record.messages.push_back(
                    TRY(message(list[m], where + ", message " + std::to_string(m + 1))));
        }
        conversations.push_back(std::move(record));
    }
    return conversations;
}

} // namespace messages
