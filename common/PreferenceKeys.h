#pragma once
#include "ProductIdentity.h"

#include <array>
#include <string_view>

// Colour keys answer opaque black until the user picks a colour.
inline constexpr const char* kDefaultColour = "000000";

enum class PreferenceType { boolean, integer, colour };

struct PreferenceKey {
    std::string_view key;
    PreferenceType type;
    std::string_view defaultValue;
};

// Every key the engine reads, with its type and default. The pane's layouts,
// the presets and the command line's contrast pairs name only these.
inline constexpr std::array kEngineKeys{
    PreferenceKey{"enableVantorel", PreferenceType::boolean, "YES"},
    PreferenceKey{"enableChatWallpaper", PreferenceType::boolean, "NO"},
    PreferenceKey{"enableConversationWallpaper", PreferenceType::boolean, "NO"},
    PreferenceKey{"enableChatBlur", PreferenceType::boolean, "NO"},
    PreferenceKey{"enableConversationBlur", PreferenceType::boolean, "NO"},
    PreferenceKey{"chatBlurStyle", PreferenceType::integer, "1"},
    PreferenceKey{"conversationBlurStyle", PreferenceType::integer, "1"},
    PreferenceKey{"enableHideConversationSeparator", PreferenceType::boolean, "NO"},
    PreferenceKey{"enableTransparentConversationCell", PreferenceType::boolean, "NO"},
    PreferenceKey{"enableConversationSwipeActionCorner", PreferenceType::boolean, "NO"},
    // Colour overrides
    PreferenceKey{"primarylabel", PreferenceType::colour, kDefaultColour},
    PreferenceKey{"secondarylabel", PreferenceType::colour, kDefaultColour},
    PreferenceKey{"tertiarylabel", PreferenceType::colour, kDefaultColour},
    PreferenceKey{"quaternarylabel", PreferenceType::colour, kDefaultColour},
    PreferenceKey{"link", PreferenceType::colour, kDefaultColour},
    PreferenceKey{"separator", PreferenceType::colour, kDefaultColour},
    PreferenceKey{"accent", PreferenceType::colour, kDefaultColour},
    PreferenceKey{"yellow", PreferenceType::colour, kDefaultColour},
    PreferenceKey{"red", PreferenceType::colour, kDefaultColour},
    PreferenceKey{"indigo", PreferenceType::colour, kDefaultColour},
    PreferenceKey{"green", PreferenceType::colour, kDefaultColour},
    PreferenceKey{"primaryBackground", PreferenceType::colour, kDefaultColour},
    PreferenceKey{"secondaryBackground", PreferenceType::colour, kDefaultColour},
    PreferenceKey{"tertiaryBackground", PreferenceType::colour, kDefaultColour},
    PreferenceKey{"cell", PreferenceType::colour, kDefaultColour},
    PreferenceKey{"chatTitleName", PreferenceType::colour, kDefaultColour},
    PreferenceKey{"conversationBackground", PreferenceType::colour, kDefaultColour},
    PreferenceKey{"conversationCellBackground", PreferenceType::colour, kDefaultColour},
    PreferenceKey{"conversationSummary", PreferenceType::colour, kDefaultColour},
    PreferenceKey{"conversationName", PreferenceType::colour, kDefaultColour},
    PreferenceKey{"smssendbutton", PreferenceType::colour, kDefaultColour},
    PreferenceKey{"imessagesendbutton", PreferenceType::colour, kDefaultColour},
    PreferenceKey{"imessagetext", PreferenceType::colour, kDefaultColour},
    PreferenceKey{"smstext", PreferenceType::colour, kDefaultColour},
    PreferenceKey{"incomingtext", PreferenceType::colour, kDefaultColour},
    PreferenceKey{"chatEntryFieldText", PreferenceType::colour, kDefaultColour},
    PreferenceKey{"menuReactionBackground", PreferenceType::colour, kDefaultColour},
    PreferenceKey{"menuReactionIcon", PreferenceType::colour, kDefaultColour},
    PreferenceKey{"chatEntryFieldTextPlaceholder", PreferenceType::colour, kDefaultColour},
    PreferenceKey{"imessagebubblegradient1", PreferenceType::colour, kDefaultColour},
    PreferenceKey{"imessagebubblegradient2", PreferenceType::colour, kDefaultColour},
    PreferenceKey{"incomingbubblegradient1", PreferenceType::colour, kDefaultColour},
    PreferenceKey{"incomingbubblegradient2", PreferenceType::colour, kDefaultColour},
    PreferenceKey{"outgoingbubblegradient1", PreferenceType::colour, kDefaultColour},
    PreferenceKey{"outgoingbubblegradient2", PreferenceType::colour, kDefaultColour},
    // Bars and entry field
    PreferenceKey{"toolbar", PreferenceType::colour, kDefaultColour},
    PreferenceKey{"drawer", PreferenceType::colour, kDefaultColour},
    PreferenceKey{"entryfield", PreferenceType::colour, kDefaultColour},
    PreferenceKey{"chatBackground", PreferenceType::colour, kDefaultColour},
    PreferenceKey{"entryfieldbackground", PreferenceType::colour, kDefaultColour},
    PreferenceKey{"navbarbackground", PreferenceType::colour, kDefaultColour},
    // Context menus
    PreferenceKey{"contextMenuBackground", PreferenceType::colour, kDefaultColour},
    PreferenceKey{"contextMenuIcon", PreferenceType::colour, kDefaultColour},
    PreferenceKey{"contextMenuTitle", PreferenceType::colour, kDefaultColour},
    PreferenceKey{"contextMenuSubtitle", PreferenceType::colour, kDefaultColour},
    // Conversation list and transcript
    PreferenceKey{"conversationSeparator", PreferenceType::colour, kDefaultColour},
    PreferenceKey{"searchbarBackground", PreferenceType::colour, kDefaultColour},
    PreferenceKey{"searchbarIcon", PreferenceType::colour, kDefaultColour},
    PreferenceKey{"searchbarPlaceholder", PreferenceType::colour, kDefaultColour},
    PreferenceKey{"conversationUnreadIndicator", PreferenceType::colour, kDefaultColour},
    PreferenceKey{"conversationChevron", PreferenceType::colour, kDefaultColour},
    PreferenceKey{"conversationSwipeActionIcon", PreferenceType::colour, kDefaultColour},
    PreferenceKey{"conversationPinnedChatName", PreferenceType::colour, kDefaultColour},
    PreferenceKey{"chatDateAndStatus", PreferenceType::colour, kDefaultColour},
    PreferenceKey{"scrollBackground", PreferenceType::colour, kDefaultColour},
};

// The row of `key`; every name asked for is in the table (checked at compile time).
consteval const PreferenceKey& engineKey(std::string_view key) {
    for (const PreferenceKey& row : kEngineKeys)
        if (row.key == key)
            return row;
    throw "not a key of the engine";
}

// A switch's default as the store's getters take it.
consteval bool switchDefault(const PreferenceKey& row) {
    if (row.type != PreferenceType::boolean)
        throw "not a switch";
    return row.defaultValue == "YES";
}

// A key of one type, checked against the table where it is written: a
// misspelt name or a colour read as a switch does not compile.
template <PreferenceType Type> class TypedKey {
  public:
    consteval TypedKey(const char* name) : m_row(&engineKey(name)) {
        if (m_row->type != Type)
            throw "the key has another type";
    }
    constexpr const char* name() const { return m_row->key.data(); }
    constexpr const char* defaultValue() const { return m_row->defaultValue.data(); }
    constexpr bool onByDefault() const { return m_row->defaultValue == "YES"; }

  private:
    const PreferenceKey* m_row;
};

using ColourKey = TypedKey<PreferenceType::colour>;
using SwitchKey = TypedKey<PreferenceType::boolean>;
using StyleKey = TypedKey<PreferenceType::integer>;
