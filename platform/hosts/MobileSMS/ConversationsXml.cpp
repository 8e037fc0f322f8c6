#include "ConversationsXml.h"

#include "ConversationsFile.h"

#include <expat.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <limits>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

namespace messages {

namespace {

enum class Element { plist, dict, array, key, string, integer, yes, no };

constexpr std::array<std::pair<std::string_view, Element>, 8> kElements{{
    {"plist", Element::plist},
    {"dict", Element::dict},
    {"array", Element::array},
    {"key", Element::key},
    {"string", Element::string},
    {"integer", Element::integer},
    {"true", Element::yes},
    {"false", Element::no},
}};

// What a value is to the conversations; anything else is only checked.
enum class Role {
    other,
    root,
    list,
    conversation,
    name,
    summary,
    date,
    unread,
    pinned,
    messages,
    message,
    kind,
    text,
    site
};

struct Field {
    std::string_view key;
    Role role;
};
constexpr std::array<Field, 1> kRootFields{{{"conversations", Role::list}}};
constexpr std::array<Field, 6> kConversationFields{{
    {"name", Role::name},
    {"summary", Role::summary},
    {"date", Role::date},
    {"unread", Role::unread},
    {"pinned", Role::pinned},
    {"messages", Role::messages},
}};
constexpr std::array<Field, 3> kMessageFields{
    {{"kind", Role::kind}, {"text", Role::text}, {"site", Role::site}}};

// The predefined entities, the only references both parsers are known to read alike.
constexpr std::array<std::pair<std::string_view, char>, 5> kEntities{{
    {"&amp;", '&'},
    {"&lt;", '<'},
    {"&gt;", '>'},
    {"&quot;", '"'},
    {"&apos;", '\''},
}};

// Far below the file limits, which the caller's checks have applied already.
constexpr size_t kMaxDepth = 32;

struct Frame {
    Element element;
    Role role;
    Role next = Role::other;    // a dictionary's: the role of the value its last key names
    bool awaitingValue = false; // a dictionary's: a key was read, its value not yet
    unsigned seen = 0;          // a dictionary's: the fields already given (a second one is not read here)
    size_t children = 0;
};

bool isSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

// Digits only, no leading zero, well inside 64 bits: read the same by any parser.
std::optional<long long> plainInteger(const std::string& text) {
    size_t at = text.starts_with('-') ? 1 : 0;
    const size_t digits = text.size() - at;
    if (digits == 0 || digits > 18 || (text[at] == '0' && digits > 1))
        return std::nullopt;
    long long value = 0;
    for (; at < text.size(); ++at) {
        if (text[at] < '0' || text[at] > '9')
            return std::nullopt;
        value = value * 10 + (text[at] - '0');
    }
    return value;
}

class Reader {
  public:
    explicit Reader(std::span<const std::uint8_t> text) : m_text(text) {}

    std::optional<std::vector<CKConversationRecord>> run() {
        std::unique_ptr<XML_ParserStruct, decltype(&XML_ParserFree)> parser(XML_ParserCreate("UTF-8"),
                                                                            &XML_ParserFree);
        if (!parser || m_text.size() > static_cast<size_t>(std::numeric_limits<int>::max()))
            return std::nullopt;
        m_parser = parser.get();
        XML_SetUserData(m_parser, this);
        XML_SetElementHandler(
            m_parser,
            [](void* reader, const XML_Char* name, const XML_Char** attributes) {
                static_cast<Reader*>(reader)->start(name, attributes);
            },
            [](void* reader, const XML_Char*) { static_cast<Reader*>(reader)->end(); });
        XML_SetCharacterDataHandler(m_parser, [](void* reader, const XML_Char* data, int length) {
            static_cast<Reader*>(reader)->characters(data, length);
        });
        // Markup the property-list parser reads its own way, or might.
        XML_SetCommentHandler(m_parser,
                              [](void* self, const XML_Char*) { static_cast<Reader*>(self)->refuse(); });
        XML_SetStartCdataSectionHandler(m_parser, [](void* self) { static_cast<Reader*>(self)->refuse(); });
        XML_SetProcessingInstructionHandler(m_parser, [](void* self, const XML_Char*, const XML_Char*) {
            static_cast<Reader*>(self)->refuse();
        });
        XML_SetSkippedEntityHandler(
            m_parser, [](void* self, const XML_Char*, int) { static_cast<Reader*>(self)->refuse(); });
        XML_SetStartDoctypeDeclHandler(
            m_parser, [](void* self, const XML_Char*, const XML_Char*, const XML_Char*, int internalSubset) {
                if (internalSubset)
                    static_cast<Reader*>(self)->refuse();
            });
        // In slices: expat copies what it is given into a buffer of its own,
        // which then stays a slice long instead of growing to the whole file.
        constexpr size_t kSlice = 64 * 1024;
        bool parsed = true;
        for (size_t at = 0; parsed && !m_refused;) {
            const size_t length = std::min(kSlice, m_text.size() - at);
            const bool last = at + length == m_text.size();
            parsed = XML_Parse(m_parser, reinterpret_cast<const char*>(m_text.data() + at),
                               static_cast<int>(length), last ? XML_TRUE : XML_FALSE) == XML_STATUS_OK;
            at += length;
            if (last)
                break;
        }
        if (!parsed || m_refused || m_rootSeen != 1)
            return std::nullopt;
        return std::move(m_conversations);
    }

  private:
    void refuse() {
        if (!m_refused)
            XML_StopParser(m_parser, XML_FALSE);
        m_refused = true;
    }

    void start(const XML_Char* name, const XML_Char** attributes) {
        if (m_refused)
            return;
        const Element* element = nullptr;
        for (const auto& [known, kind] : kElements)
            if (known == name)
                element = &kind;
        if (!element || m_stack.size() >= kMaxDepth)
            return refuse();
        // Only the root's version, which every writer gives.
        for (const XML_Char** attribute = attributes; *attribute; attribute += 2)
            if (*element != Element::plist || std::strcmp(*attribute, "version") != 0)
                return refuse();
        if (m_stack.empty()) {
            if (*element != Element::plist)
                return refuse();
            m_stack.push_back({Element::plist, Role::other});
            return;
        }
        Frame& parent = m_stack.back();
        Role role = Role::other;
        switch (parent.element) {
        case Element::plist:
            if (parent.children++ > 0 || *element != Element::dict)
                return refuse();
            role = Role::root;
            ++m_rootSeen;
            break;
        case Element::dict:
            if (!parent.awaitingValue) {
                if (*element != Element::key)
                    return refuse();
                m_stack.push_back({Element::key, Role::other});
                m_textRead.clear();
                return;
            }
            parent.awaitingValue = false;
            role = parent.next;
            break;
        case Element::array:
            role = parent.role == Role::list       ? Role::conversation
                   : parent.role == Role::messages ? Role::message
                                                   : Role::other;
            break;
        default: // keys, strings, numbers and flags hold text only
            return refuse();
        }
        if (!fits(role, *element))
            return refuse();
        if (role == Role::conversation)
            m_conversations.emplace_back();
        else if (role == Role::message)
            m_conversations.back().messages.emplace_back();
        else if ((role == Role::unread || role == Role::pinned) && *element == Element::yes)
            flag(role) = true;
        m_stack.push_back({*element, role});
        m_textRead.clear();
    }

    // Whether a value of this element can be read here for this role; the
    // full parse reports a value Messages cannot use.
    static bool fits(Role role, Element element) {
        switch (role) {
        case Role::root:
        case Role::conversation:
        case Role::message:
            return element == Element::dict;
        case Role::list:
        case Role::messages:
            return element == Element::array;
        case Role::name:
        case Role::summary:
        case Role::date:
        case Role::kind:
        case Role::text:
        case Role::site:
            return element == Element::string;
        default:
            return true;
        }
    }

    bool& flag(Role role) {
        return role == Role::unread ? m_conversations.back().unread : m_conversations.back().pinned;
    }

    void end() {
        if (m_refused)
            return;
        const Frame frame = m_stack.back();
        m_stack.pop_back();
        switch (frame.element) {
        case Element::key:
            return keyRead(m_stack.back());
        case Element::dict:
            // A key without a value, or a message of no kind.
            if (frame.awaitingValue || (frame.role == Role::message && !(frame.seen & 1)))
                return refuse();
            return;
        case Element::integer: {
            const auto value = plainInteger(m_textRead);
            if (!value)
                return refuse();
            if (frame.role == Role::unread || frame.role == Role::pinned)
                flag(frame.role) = *value != 0;
            return;
        }
        case Element::string:
            return stringRead(frame.role);
        default:
            return;
        }
    }

    void keyRead(Frame& dictionary) {
        dictionary.awaitingValue = true;
        dictionary.next = Role::other;
        std::span<const Field> fields;
        if (dictionary.role == Role::root)
            fields = kRootFields;
        else if (dictionary.role == Role::conversation)
            fields = kConversationFields;
        else if (dictionary.role == Role::message)
            fields = kMessageFields;
        for (size_t i = 0; i < fields.size(); ++i) {
            if (fields[i].key != m_textRead)
                continue;
            // A field given twice: which one counts is the full parse's to say.
            if (dictionary.seen & (1u << i))
                return refuse();
            dictionary.seen |= 1u << i;
            dictionary.next = fields[i].role;
        }
    }

    void stringRead(Role role) {
        switch (role) {
        case Role::name:
            m_conversations.back().name = std::move(m_textRead);
            break;
        case Role::summary:
            m_conversations.back().summary = std::move(m_textRead);
            break;
        case Role::date:
            m_conversations.back().date = std::move(m_textRead);
            break;
        case Role::kind:
            if (auto kind = ConversationsFile::kindNamed(m_textRead))
                m_conversations.back().messages.back().kind = *kind;
            else
                refuse();
            break;
        case Role::text:
            m_conversations.back().messages.back().text = std::move(m_textRead);
            break;
        case Role::site:
            m_conversations.back().messages.back().detail = std::move(m_textRead);
            break;
        default:
            break;
        }
        m_textRead.clear();
    }

    void characters(const XML_Char* data, int length) {
        if (m_refused || m_stack.empty())
            return;
        const std::string_view given(data, static_cast<size_t>(length));
        switch (m_stack.back().element) {
        case Element::key:
        case Element::string:
        case Element::integer:
            break;
        case Element::yes:
        case Element::no:
            return refuse();
        default: // white space between elements
            for (char c : given)
                if (!isSpace(c))
                    return refuse();
            return;
        }
        // The text taken is the file's own bytes, or a predefined entity;
        // anything the XML parser changed (line ends, character references) is not.
        const XML_Index at = XML_GetCurrentByteIndex(m_parser);
        const int count = XML_GetCurrentByteCount(m_parser);
        if (at < 0 || count < 0 || static_cast<size_t>(at) + static_cast<size_t>(count) > m_text.size())
            return refuse();
        const std::string_view raw(reinterpret_cast<const char*>(m_text.data()) + at,
                                   static_cast<size_t>(count));
        if (raw != given) {
            bool entity = false;
            for (const auto& [reference, character] : kEntities)
                entity = entity || (raw == reference && given.size() == 1 && given[0] == character);
            if (!entity)
                return refuse();
        }
        m_textRead.append(given);
    }

    std::span<const std::uint8_t> m_text;
    XML_Parser m_parser = nullptr;
    std::vector<Frame> m_stack;
    std::string m_textRead;
    std::vector<CKConversationRecord> m_conversations;
    size_t m_rootSeen = 0;
    bool m_refused = false;
};

} // namespace

std::optional<std::vector<CKConversationRecord>> ConversationsXml::read(std::span<const std::uint8_t> text) {
    return Reader(text).run();
}

} // namespace messages
