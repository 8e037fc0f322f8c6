#pragma once
#include <ChatKit/CKConversationRecord.h>

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace messages {

// The conversations read straight from an XML property list's text (UTF-8, as
// PlistFile::readCheckedText gives it), without building every value first:
// a list of thousands costs a walk of the text and the records it fills.
// It reads only the plain form writers produce and answers nothing for
// anything else (binary files, comments, character references, entries
// Messages would refuse, markup the property-list parser might read another
// way): the caller then takes the full road, which reads or refuses the file
// exactly as before. Whatever it does answer, the full road answers too.
class ConversationsXml {
  public:
    static std::optional<std::vector<CKConversationRecord>> read(std::span<const std::uint8_t> text);
};

} // namespace messages
