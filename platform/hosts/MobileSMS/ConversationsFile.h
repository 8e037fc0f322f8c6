#pragma once
#include <ChatKit/CKConversationRecord.h>
#include <Foundation/PlistValue.h>
#include <Foundation/Result.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace messages {

// The conversations this device's Messages shows, kept in a property list:
// a dictionary whose "conversations" array holds one dictionary per
// conversation ("name", "summary", "date", "unread", "pinned", and
// "messages": dictionaries of "kind" — date, imessage, sms, incoming,
// picture, link, status — "text" and, for links, "site").
class ConversationsFile {
  public:
    static constexpr const char* kDevicePath = "/var/mobile/Library/SMS/conversations.plist";

    // A missing file is no conversations. Failure kinds: those of reading the
    // file; Malformed names the entry that is not what it must be.
    static ns::Result<std::vector<CKConversationRecord>> load(const std::string& devicePath = kDevicePath);
    static ns::Result<std::vector<CKConversationRecord>> parse(const ns::PlistDictionary& file);
    // The message kind a "kind" string names, if any.
    static std::optional<CKMessageRecord::Kind> kindNamed(std::string_view name);
};

} // namespace messages
