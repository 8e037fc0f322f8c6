#include "PQPrefs.h"
#include "VRPrefs.h"

#include <Foundation/PlistFile.h>
#include <Foundation/ProcessIdentity.h>

#include <gtest/gtest.h>

#include <algorithm>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <thread>
#include <vector>

namespace {

namespace fs = std::filesystem;
const std::string kID = "com.tavq.vantorelprefs";
// One process has one identity: the store keeps the paths it first works out,
// so every test of this program runs in the same container.
const std::string kContainer = "/var/mobile/Containers/Data/Application/5C3A-TEST";

class PreferenceStoreTest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "store-test-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        m_root = pattern;
        setenv("SIMDEVICE_ROOT", m_root.c_str(), 1);
        fs::create_directories(m_root / "var/mobile/Library/Preferences");
        fs::create_directories(m_root / fs::path(kContainer).relative_path() / "Documents");
        ns::ProcessIdentity::configure("com.apple.MobileSMS", kContainer);
    }
    void TearDown() override {
        unsetenv("SIMDEVICE_ROOT");
        fs::remove_all(m_root);
    }
    fs::path sourceFile() const { return m_root / "var/mobile/Library/Preferences" / (kID + ".plist"); }
    ns::PlistDictionary stored() const {
        return ns::PlistFile::readDictionaryAtHostPath(sourceFile()).value();
    }
    void store(const std::string& key, ns::PlistValue value) const { prefs.setObject(value, key, kID); }

    fs::path m_root;
    const PQPrefs& prefs = *PQPrefs::shared();
};

TEST_F(PreferenceStoreTest, TypedGettersFollowThePlatformConversions) {
    store("zero", ns::PlistValue(0.0));
    store("off", ns::PlistValue(false));
    store("big", ns::PlistValue(int64_t{4294967297})); // 2^32 + 1
    store("allOnes", ns::PlistValue(int64_t{4294967295}));
    store("real", ns::PlistValue(2.7));
    store("text", ns::PlistValue(std::string("12.5")));

    EXPECT_EQ(prefs.floatForKey("zero", 3.5f, kID), 3.5f) << "a stored 0.0 answers the default";
    EXPECT_EQ(prefs.floatForKey("missing", 3.5f, kID), 3.5f);
    EXPECT_EQ(prefs.floatForKey("zero", kID), 0.0f);
    EXPECT_FALSE(prefs.boolForKey("off", YES, kID)) << "presence, not truth, decides";
    EXPECT_TRUE(prefs.boolForKey("missing", YES, kID));
    EXPECT_EQ(prefs.integerForKey("big", kID), 1);
    EXPECT_EQ(prefs.integerForKey("allOnes", kID), -1);
    EXPECT_EQ(prefs.integerForKey("allOnes", 5, kID), -1);
    EXPECT_EQ(prefs.intForKey("real", 9, kID), 2);
    EXPECT_EQ(prefs.intForKey("off", 9, kID), 0);
    EXPECT_EQ(prefs.intForKey("text", kID), 12);
    EXPECT_EQ(prefs.floatForKey("text", kID), 12.5f);
    EXPECT_EQ(prefs.intForKey("missing", kID), 0);
    EXPECT_EQ(prefs.integerForKey("missing", kID), 0);
    EXPECT_EQ(prefs.floatForKey("missing", kID), 0.0f);
    EXPECT_EQ(prefs.objectForKey("missing", kID), ns::PlistValue());
    EXPECT_EQ(prefs.objectForKey("missing", ns::PlistValue(std::string("d")), kID),
              ns::PlistValue(std::string("d")));
}

TEST_F(PreferenceStoreTest, WritesStoreTheNamedKindAndReplaceTheWholeFile) {
    ASSERT_FALSE(fs::exists(sourceFile()));
    prefs.setBool(YES, "enableVantorel", kID);
    EXPECT_EQ(stored(), (ns::PlistDictionary{{"enableVantorel", ns::PlistValue(true)}}));

    prefs.setFloat(0.25f, "float", kID);
    prefs.setInt(-7, "int", kID);
    prefs.setInteger(int64_t{1} << 40, "integer", kID);
    ns::PlistDictionary file = stored();
    EXPECT_TRUE(file.at("float").isReal());
    EXPECT_EQ(file.at("int"), ns::PlistValue(int64_t{-7}));
    EXPECT_EQ(file.at("integer"), ns::PlistValue(int64_t{1} << 40));
    EXPECT_EQ(file.size(), 4u);

    prefs.removeObjectForKey("int", kID);
    EXPECT_EQ(stored().count("int"), 0u);
    EXPECT_EQ(stored().size(), 3u);
    // No temporary files are left beside the target; its lock file stays.
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(sourceFile().parent_path()))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    const std::string name = sourceFile().filename().string();
    EXPECT_EQ(names, (std::vector<std::string>{"." + name + ".lock", name}));
}

TEST_F(PreferenceStoreTest, RemovingRewritesEvenWithoutTheKey) {
    prefs.removeObjectForKey("absent", kID);
    ASSERT_TRUE(fs::exists(sourceFile())) << "a domain with no file gets an empty dictionary";
    EXPECT_TRUE(stored().empty());
}

TEST_F(PreferenceStoreTest, MissingIDOrKeyReadsNothingAndWritesNothing) {
    std::optional<std::string> none;
    prefs.setBool(YES, "k", none);
    prefs.setObject(ns::PlistValue(std::string("v")), none, kID);
    prefs.setObject(ns::PlistValue(), "k", kID);
    prefs.removeObjectForKey("k", none);
    EXPECT_FALSE(fs::exists(sourceFile()));
    EXPECT_TRUE(prefs.boolForKey("k", YES, none));
    EXPECT_EQ(prefs.intForKey(none, 4, kID), 4);
    EXPECT_EQ(prefs.objectForKey("k", none), ns::PlistValue());
}

TEST_F(PreferenceStoreTest, UnreadableFilesCountAsEmptyAndAreReplacedByTheNextWrite) {
    std::ofstream(sourceFile()) << "<plist><dict><key>broken";
    EXPECT_TRUE(prefs.boolForKey("enableVantorel", YES, kID));
    prefs.setBool(NO, "enableChatBlur", kID);
    EXPECT_EQ(stored(), (ns::PlistDictionary{{"enableChatBlur", ns::PlistValue(false)}}));

    // Values with no number conversion answer like a missing key.
    store("list", ns::PlistValue(ns::PlistArray{ns::PlistValue(int64_t{1})}));
    EXPECT_EQ(prefs.intForKey("list", 6, kID), 6);
    EXPECT_TRUE(prefs.boolForKey("list", YES, kID));
}

TEST_F(PreferenceStoreTest, FailedWriteIsSilentAndLeavesNoFile) {
    fs::remove_all(m_root / "var/mobile/Library/Preferences");
    prefs.setBool(YES, "enableVantorel", kID);
    EXPECT_FALSE(fs::exists(sourceFile()));
    unsetenv("SIMDEVICE_ROOT");
    prefs.setBool(YES, "enableVantorel", kID); // no device at all: refused, never the machine's own /var
    EXPECT_FALSE(prefs.boolForKey("enableVantorel", kID));
}

TEST_F(PreferenceStoreTest, ColoursReadHexStringsAndFallBackToTheDefault) {
    EXPECT_EQ(HexColorCodec::hexStringFromColor(prefs.colourForKey("accent", "000000", kID)), "000000FF");
    store("accent", ns::PlistValue(std::string("ff000080")));
    EXPECT_EQ(HexColorCodec::hexStringFromColor(prefs.colourForKey("accent", "000000", kID)), "FF000080");
    store("accent", ns::PlistValue(int64_t{12}));
    EXPECT_EQ(HexColorCodec::hexStringFromColor(prefs.colourForKey("accent", "00ff00", kID)), "00FF00FF");
    EXPECT_EQ(HexColorCodec::hexStringFromColor(prefs.accentColour()),
              HexColorCodec::hexStringFromColor(UIColor::systemOrangeColor()));
    // The two stores differ in "blue" only.
    EXPECT_EQ(HexColorCodec::hexStringFromColor(VRPrefs::shared()->colorWithHexString("blue")), "0A85FFFF");
    EXPECT_EQ(HexColorCodec::hexStringFromColor(prefs.colorWithHexString("blue")),
              HexColorCodec::hexStringFromColor(UIColor::systemBlueColor()));
}

TEST_F(PreferenceStoreTest, EngineAndPaneReadDifferentFilesOfTheSameDomain) {
    prefs.setObject(ns::PlistValue(std::string("ff0000")), "red", kID);
    EXPECT_TRUE(VRPrefs::shared()->objectForKey("red", kID).isNull());
    EXPECT_EQ(VRPrefs::shared()->pathForID(kID), kContainer + "/Documents/" + kID + ".plist");
    VRPrefs::shared()->setObject(ns::PlistValue(std::string("00ff00")), "red", kID);
    EXPECT_TRUE(fs::exists(m_root / fs::path(kContainer).relative_path() / "Documents" / (kID + ".plist")));
    EXPECT_EQ(prefs.objectForKey("red", kID), ns::PlistValue(std::string("ff0000")));
}

TEST(PreferenceStoreShared, OneInstanceEvenUnderConcurrentFirstCalls) {
    std::vector<const void*> seen(8);
    std::vector<std::thread> threads;
    for (size_t i = 0; i < seen.size(); ++i)
        threads.emplace_back([&seen, i] {
            seen[i] = i % 2 ? static_cast<const void*>(VRPrefs::shared())
                            : static_cast<const void*>(PQPrefs::shared());
        });
    for (auto& thread : threads)
        thread.join();
    std::set<const void*> distinct(seen.begin(), seen.end());
    EXPECT_EQ(distinct.size(), 2u);
}

} // namespace
