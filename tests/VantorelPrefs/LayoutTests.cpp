// The eleven page layouts against the keys the theme engine reads.
#include "PreferenceKeys.h"

#include <Foundation/PlistFile.h>
#include <Preferences/PSSpecifier.h>

#include <gtest/gtest.h>

#include <array>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace {

using ns::PlistDictionary;
using ns::PlistValue;

constexpr const char* kDomain = "com.tavq.vantorelprefs";

using Kind = PreferenceType;
using EngineKey = PreferenceKey;

// The wallpaper rows name image files, not preference keys.
constexpr std::array<std::string_view, 2> kWallpapers{"chatWallpaper", "conversationWallpaper"};

const std::map<std::string, std::string> kPages{
    {"Root", "VRSRootListController"},
    {"ConversationList", "VRSConversationListController"},
    {"Chat", "VRSChatController"},
    {"ChatBubble", "VRSChatBubbleController"},
    {"Navigation", "VRSNavigationController"},
    {"SystemColour", "VRSSystemColourController"},
    {"BackgroundColour", "VRSBackgroundColourController"},
    {"CellColour", "VRSCellColourController"},
    {"LabelColour", "VRSLabelColourController"},
    {"MenuColour", "VRSMenuColourController"},
    {"Misc", "VRSMiscController"},
};

struct Row {
    std::string page;
    PlistDictionary fields;
    std::string text(const char* key) const {
        auto found = fields.find(key);
        return found != fields.end() && found->second.asString() ? *found->second.asString() : std::string();
    }
    bool has(const char* key) const { return fields.count(key) != 0; }
};

std::vector<Row> allRows() {
    std::vector<Row> rows;
    for (const auto& [page, controller] : kPages) {
        auto layout =
            ns::PlistFile::readDictionaryAtHostPath(std::string(LAYOUT_FOLDER) + "/" + page + ".plist");
        EXPECT_TRUE(layout.ok()) << page << ": " << layout.error();
        if (!layout.ok())
            continue;
        EXPECT_TRUE(layout.value().count("title")) << page;
        auto items = layout.value().find("items");
        EXPECT_TRUE(items != layout.value().end() && items->second.asArray()) << page;
        if (items == layout.value().end() || !items->second.asArray())
            continue;
        for (const PlistValue& item : *items->second.asArray()) {
            EXPECT_TRUE(item.asDictionary()) << page << ": every item is a row";
            if (item.asDictionary())
                rows.push_back({page, *item.asDictionary()});
        }
    }
    return rows;
}

TEST(PageLayouts, EveryEngineKeyIsInExactlyOneRowOfTheRightKind) {
    std::map<std::string, std::vector<Row>> byKey;
    for (const Row& row : allRows())
        if (row.has("key"))
            byKey[row.text("key")].push_back(row);

    for (const EngineKey& engine : kEngineKeys) {
        const std::string key(engine.key);
        ASSERT_EQ(byKey[key].size(), 1u) << key;
        const Row& row = byKey[key].front();
        switch (engine.type) {
        case Kind::boolean:
            EXPECT_EQ(row.text("cell"), "PSSwitchCell") << key;
            EXPECT_TRUE(row.fields.at("default").isBool()) << key;
            break;
        case Kind::integer:
            EXPECT_EQ(row.text("cellClass"), "PQContextMenuCell") << key;
            ASSERT_TRUE(row.has("validTitles") && row.fields.at("validTitles").asArray()) << key;
            // The engine maps 0, 1 and 2 to blur looks and defaults to 1.
            EXPECT_EQ(row.fields.at("validTitles").asArray()->size(), 3u) << key;
            EXPECT_EQ(row.fields.at("default"), PlistValue(1)) << key;
            break;
        case Kind::colour:
            EXPECT_EQ(row.text("cellClass"), "PQColorPickerCell") << key;
            EXPECT_FALSE(row.text("fallback").empty()) << key;
            break;
        }
    }
    for (std::string_view wallpaper : kWallpapers) {
        const std::string key(wallpaper);
        ASSERT_EQ(byKey[key].size(), 1u) << key;
        EXPECT_EQ(byKey[key].front().text("cellClass"), "PQImagePickerCell");
        EXPECT_EQ(byKey[key].front().text("defaults"), kDomain);
    }
    // Nothing else: every stored key is one the engine reads or a wallpaper image.
    EXPECT_EQ(byKey.size(), kEngineKeys.size() + kWallpapers.size());
}

TEST(PageLayouts, EveryPreferenceRowNamesTheDomainAndItsTitle) {
    for (const Row& row : allRows()) {
        const std::string where = row.page + "/" + row.text("key");
        if (row.text("cell") == "PSGroupCell" || row.text("cell") == "PSLinkCell") {
            EXPECT_FALSE(row.has("key")) << where;
            continue;
        }
        EXPECT_EQ(row.text("defaults"), kDomain) << where;
        EXPECT_FALSE(row.text("key").empty()) << where;
        EXPECT_FALSE(row.text("label").empty() && row.text("title").empty()) << where;
        // Cells that draw the title themselves get "title" only, so the host draws no second one.
        if (row.text("cellClass") != "PQSwitchCell") {
            EXPECT_FALSE(row.has("label")) << where;
        }
        if (row.text("cellClass") == "PQInfoSwitchCell") {
            EXPECT_FALSE(row.text("message").empty()) << where;
        }
        EXPECT_TRUE(PSSpecifier::cellTypeFromString(row.text("cell"))) << where;
    }
}

TEST(PageLayouts, TheRootLinksToEachOtherPageOnce) {
    std::multiset<std::string> opened;
    for (const Row& row : allRows()) {
        if (row.text("cell") != "PSLinkCell")
            continue;
        EXPECT_EQ(row.page, "Root") << "links live on the root page";
        EXPECT_EQ(kPages.at(row.text("id")), row.text("detail"));
        EXPECT_FALSE(row.text("title").empty());
        opened.insert(row.text("detail"));
    }
    EXPECT_EQ(opened.size(), kPages.size() - 1);
    for (const auto& [page, controller] : kPages)
        if (page != "Root") {
            EXPECT_EQ(opened.count(controller), 1u) << controller;
        }
}

TEST(PageLayouts, TheSettingsEntryOpensTheRootPageOfThisBundle) {
    auto entry = ns::PlistFile::readDictionaryAtHostPath(ENTRY_PLIST);
    ASSERT_TRUE(entry.ok()) << entry.error();
    const PlistDictionary* fields = entry.value().at("entry").asDictionary();
    ASSERT_TRUE(fields);
    EXPECT_EQ(fields->at("bundle"), PlistValue("VantorelPrefs"));
    EXPECT_EQ(fields->at("detail"), PlistValue("VRSRootListController"));
    EXPECT_EQ(fields->at("cell"), PlistValue("PSLinkCell"));
    EXPECT_EQ(fields->at("label"), PlistValue("Vantorel"));
}

} // namespace
