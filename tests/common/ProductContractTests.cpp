// The key table against every other place that names keys: the pane's
// layouts, the presets and the contrast pairs. A key added to one and
// forgotten in another fails here.
#include "ContrastPairs.h"
#include "EngineKeys.h"
#include "PreferenceKeys.h"
#include "ProductIdentity.h"

#include <Foundation/PlistFile.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>

namespace {

using ns::PlistDictionary;

std::set<std::string> tableKeys(std::optional<PreferenceType> only = std::nullopt) {
    std::set<std::string> keys;
    for (const PreferenceKey& row : kEngineKeys)
        if (!only || row.type == *only)
            keys.emplace(row.key);
    return keys;
}

std::vector<std::filesystem::path> plistsIn(const char* folder) {
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        if (entry.path().extension() == ".plist")
            files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    return files;
}

PlistDictionary readHost(const std::filesystem::path& file) {
    auto read = ns::PlistFile::readDictionaryAtHostPath(file.string());
    EXPECT_TRUE(read.ok()) << file << ": " << read.error();
    return read.ok() ? read.value() : PlistDictionary{};
}

TEST(ProductContract, TableNamesEachKeyOnceWithADefaultOfItsType) {
    std::set<std::string> seen;
    for (const PreferenceKey& row : kEngineKeys) {
        EXPECT_TRUE(seen.emplace(row.key).second) << row.key << " is in the table twice";
        // The default is a value a theme could carry under the key.
        ns::PlistValue value;
        switch (row.type) {
        case PreferenceType::boolean:
            ASSERT_TRUE(row.defaultValue == "YES" || row.defaultValue == "NO") << row.key;
            value = ns::PlistValue(row.defaultValue == "YES");
            break;
        case PreferenceType::integer:
            value = ns::PlistValue(int64_t(std::stoll(std::string(row.defaultValue))));
            break;
        case PreferenceType::colour:
            value = ns::PlistValue(std::string(row.defaultValue));
            break;
        }
        EXPECT_EQ(sim::EngineKeys::problem(row, value), std::nullopt) << row.key;
    }
}

// A switch read through its typed key takes the table's default: the master
// switch is on until the user turns it off, the others off until turned on.
TEST(ProductContract, TypedSwitchKeysTakeTheTablesDefault) {
    constexpr SwitchKey master("enableVantorel");
    constexpr SwitchKey chatWallpaper("enableChatWallpaper");
    EXPECT_TRUE(master.onByDefault());
    EXPECT_FALSE(chatWallpaper.onByDefault());
    EXPECT_EQ(master.onByDefault(), switchDefault(engineKey("enableVantorel")));
}

TEST(ProductContract, EveryPresetCarriesEveryKeyWithAValueOfItsType) {
    const auto presets = plistsIn(THEMES_FOLDER);
    ASSERT_FALSE(presets.empty());
    for (const auto& preset : presets) {
        const PlistDictionary theme = readHost(preset);
        auto values = theme.find("Values");
        ASSERT_TRUE(values != theme.end() && values->second.asDictionary()) << preset;
        std::set<std::string> carried;
        for (const auto& [key, value] : *values->second.asDictionary()) {
            carried.insert(key);
            const PreferenceKey* row = sim::EngineKeys::find(key);
            ASSERT_NE(row, nullptr) << preset << ": " << key << " is no key of the table";
            EXPECT_EQ(sim::EngineKeys::problem(*row, value), std::nullopt) << preset;
        }
        EXPECT_EQ(carried, tableKeys()) << preset << " leaves keys at their defaults";
    }
}

TEST(ProductContract, ThePanesLayoutsStoreEveryKeyAndOnlyThose) {
    std::set<std::string> stored;
    for (const auto& page : plistsIn(LAYOUT_FOLDER)) {
        const PlistDictionary layout = readHost(page);
        auto items = layout.find("items");
        if (items == layout.end() || !items->second.asArray())
            continue;
        for (const ns::PlistValue& item : *items->second.asArray()) {
            const PlistDictionary* row = item.asDictionary();
            if (!row || !row->count("key") || !row->at("key").asString())
                continue;
            const std::string key = *row->at("key").asString();
            stored.insert(key);
            auto domain = row->find("defaults");
            EXPECT_TRUE(domain != row->end() &&
                        domain->second == ns::PlistValue(std::string(kPreferenceDomain)))
                << page << ": " << key;
        }
    }
    std::set<std::string> expected = tableKeys();
    expected.insert(kWallpaperSlots.begin(), kWallpaperSlots.end());
    EXPECT_EQ(stored, expected);
}

TEST(ProductContract, ContrastPairsReadOnlyKeysOfTheTableAndTheirTypes) {
    const std::set<std::string> colours = tableKeys(PreferenceType::colour);
    const std::set<std::string> switches = tableKeys(PreferenceType::boolean);
    const auto pairColours = sim::ContrastPairs::colourKeys();
    const auto pairSwitches = sim::ContrastPairs::switchKeys();
    ASSERT_FALSE(pairColours.empty());
    ASSERT_FALSE(pairSwitches.empty());
    for (const std::string& key : pairColours)
        EXPECT_TRUE(colours.count(key)) << key << " is no colour key of the table";
    for (const std::string& key : pairSwitches)
        EXPECT_TRUE(switches.count(key)) << key << " is no switch of the table";
    // Each pair's text is a colour a user picks; the status bar's is the app's.
    for (const auto& checked : sim::ContrastPairs::check({}))
        EXPECT_TRUE(checked.text == sim::ContrastPairs::kStatusBarText || colours.count(checked.text))
            << checked.text;
}

TEST(ProductContract, FileNamesFollowTheDomain) {
    EXPECT_EQ(preferenceFileName(), std::string(kPreferenceDomain) + ".plist");
    EXPECT_EQ(wallpaperFileName("chatWallpaper"), std::string(kPreferenceDomain) + "-chatWallpaper.png");
    EXPECT_EQ(wallpaperFileName("x", "other.domain"), "other.domain-x.png");
}

// The command line finds the deliverables it installed by these two names:
// the filter plist the package ships beside the engine, and the folder the
// Settings loader opens for the pane's entry.
TEST(ProductContract, TheInstalledFilesAreFoundByTheNamesTheyShipUnder) {
    const std::filesystem::path source = std::filesystem::path(LAYOUT_FOLDER).parent_path().parent_path();
    EXPECT_TRUE(std::filesystem::is_regular_file(source / "engine" / kEngineFilterFile)) << kEngineFilterFile;
    const PlistDictionary entry = readHost(source / "VantorelPrefs" / "entry.plist");
    const PlistDictionary* loader = entry.count("entry") ? entry.at("entry").asDictionary() : nullptr;
    ASSERT_NE(loader, nullptr);
    EXPECT_EQ(loader->at("bundle").stringValue() + ".bundle", kPaneBundleFolder);
}

} // namespace
