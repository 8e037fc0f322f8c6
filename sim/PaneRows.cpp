#include "PaneRows.h"

#include <Foundation/NSFileManager.h>
#include <Foundation/PlistFile.h>

#include <algorithm>
#include <cctype>

namespace sim {

namespace {

constexpr const char* kBundle = "/Library/PreferenceBundles/VantorelPrefs.bundle/";
constexpr const char* kPages[] = {
    "Root",         "ConversationList", "Chat",       "ChatBubble",  "Navigation",
    "SystemColour", "BackgroundColour", "CellColour", "LabelColour", "MenuColour",
    "Misc"};

std::string text(const ns::PlistDictionary& item, const char* key) {
    auto found = item.find(key);
    return found != item.end() && found->second.asString() ? *found->second.asString() : std::string();
}

} // namespace

std::optional<PaneRows::Row> PaneRows::find(const std::string& key) {
    for (const char* page : kPages) {
        auto layout = ns::PlistFile::readDictionary(std::string(kBundle) + page + ".plist");
        if (!layout.ok())
            continue;
        auto items = layout.value().find("items");
        if (items == layout.value().end() || !items->second.asArray())
            continue;
        for (const ns::PlistValue& value : *items->second.asArray()) {
            const ns::PlistDictionary* item = value.asDictionary();
            if (!item || text(*item, "key") != key || text(*item, "cell") == "PSGroupCell")
                continue;
            Row row;
            row.domain = text(*item, "defaults");
            if (item->count("fallback")) {
                row.kind = Kind::colour;
                row.fallback = text(*item, "fallback");
            }
            return row;
        }
    }
    return std::nullopt;
}

std::optional<std::string> PaneRows::colourValue(std::string value) {
    if (!value.empty() && value.front() == '#')
        value.erase(0, 1);
    if ((value.size() != 6 && value.size() != 8) ||
        !std::ranges::all_of(value, [](unsigned char c) { return std::isxdigit(c); }))
        return std::nullopt;
    std::ranges::transform(value, value.begin(),
                           [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return value.size() == 6 ? value + "FF" : value;
}

} // namespace sim
