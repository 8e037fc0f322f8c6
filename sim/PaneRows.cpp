#include "PaneRows.h"

#include "ProductIdentity.h"

#include <Foundation/NSFileManager.h>
#include <Foundation/PlistFile.h>

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
            if (text(*item, "cellClass") == "PQImagePickerCell")
                row.kind = Kind::picture;
            return row;
        }
    }
    return std::nullopt;
}

std::string PaneRows::picturePath(const Row& row, const std::string& key) {
    return std::string(kPreferencesFolder) + row.domain + "-" + key + ".png";
}

} // namespace sim
