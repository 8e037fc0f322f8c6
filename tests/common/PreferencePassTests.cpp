// Inside a layout pass each preference file is checked once, at its first
// read; a change written before the pass began must still show in that pass,
// and reads outside a pass or on another thread still check every time.
#include "PreferenceCache.h"
#include "PreferenceFileFixture.h"
#include "PreferencePass.h"
#include "VRPrefs.h"

#include <Foundation/PlistFile.h>
#include <Foundation/ProcessIdentity.h>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

namespace {

using namespace preference_files;

namespace fs = std::filesystem;
using namespace std::chrono_literals;

const std::string kOther = kContainer + "/Documents/other.plist";

// The file system's stamps, counted per path.
class CountedStamps {
  public:
    PreferenceCache::StampSource source() {
        return [this](const std::string& path) {
            std::lock_guard guard(m_lock);
            ++m_counts[path];
            return ns::FileStamp::ofItemAtPath(path);
        };
    }
    int of(const std::string& path) {
        std::lock_guard guard(m_lock);
        return m_counts[path];
    }

  private:
    std::mutex m_lock;
    std::map<std::string, int> m_counts;
};

class PreferencePassTest : public DeviceTest {
  protected:
    void TearDown() override {
        PreferencePass::end();
        DeviceTest::TearDown();
    }
};

TEST(PreferencePass, EachBeginStartsANewPassOfThisThreadOnly) {
    EXPECT_EQ(PreferencePass::current(), 0u);
    PreferencePass::begin();
    const std::uint64_t first = PreferencePass::current();
    EXPECT_NE(first, 0u);
    std::uint64_t elsewhere = 1;
    std::thread([&] { elsewhere = PreferencePass::current(); }).join();
    EXPECT_EQ(elsewhere, 0u) << "another thread is outside the pass";
    PreferencePass::begin(); // a begin without an end still moves on
    EXPECT_NE(PreferencePass::current(), first);
    PreferencePass::end();
    EXPECT_EQ(PreferencePass::current(), 0u);
    {
        PreferencePass::Scope scope;
        EXPECT_NE(PreferencePass::current(), 0u);
    }
    EXPECT_EQ(PreferencePass::current(), 0u);
}

TEST_F(PreferencePassTest, OneStampCheckPerFilePerPass) {
    CountedStamps stamps;
    PreferenceCache cache(PreferenceCache::Validation::Stamp, stamps.source());
    replace(host(kFile), version(1));
    replace(host(kOther), version(2));
    settle();

    for (int pass = 1; pass <= 3; ++pass) {
        PreferencePass::Scope scope;
        for (int read = 0; read < 20; ++read) {
            EXPECT_EQ(sequenceIn(*cache.read(kFile)), 1);
            if (read % 4 == 0) {
                EXPECT_EQ(sequenceIn(*cache.read(kOther)), 2);
            }
        }
        EXPECT_EQ(stamps.of(kFile), pass);
        EXPECT_EQ(stamps.of(kOther), pass);
    }
    for (int read = 1; read <= 5; ++read)
        cache.read(kFile);
    EXPECT_EQ(stamps.of(kFile), 3 + 5) << "outside a pass every read checks";
}

TEST_F(PreferencePassTest, AChangeWrittenBeforeAPassBeganIsSeenInThatPass) {
    PreferenceCache cache; // the host's own lookup, as the store uses it
    replace(host(kFile), version(1));
    settle();
    {
        PreferencePass::Scope scope;
        EXPECT_EQ(sequenceIn(*cache.read(kFile)), 1);
        // Written during the pass, after its check: this pass keeps answering
        // one version of the file.
        replace(host(kFile), version(2));
        EXPECT_EQ(sequenceIn(*cache.read(kFile)), 1);
    }
    {
        PreferencePass::Scope scope;
        EXPECT_EQ(sequenceIn(*cache.read(kFile)), 2) << "written before this pass began";
        EXPECT_EQ(sequenceIn(*cache.read(kFile)), 2);
    }
    // A settled, kept file replaced just before the next pass: same size, and
    // the next pass's first read still finds the new version.
    settle();
    {
        PreferencePass::Scope scope;
        EXPECT_EQ(sequenceIn(*cache.read(kFile)), 2);
    }
    replace(host(kFile), version(3));
    PreferencePass::Scope scope;
    EXPECT_EQ(sequenceIn(*cache.read(kFile)), 3);
}

TEST_F(PreferencePassTest, ReadsOutsideAPassSeeEveryChange) {
    PreferenceCache cache;
    replace(host(kFile), version(1));
    settle();
    {
        PreferencePass::Scope scope;
        EXPECT_EQ(sequenceIn(*cache.read(kFile)), 1);
    }
    for (long sequence = 2; sequence < 40; ++sequence) {
        replace(host(kFile), version(sequence));
        ASSERT_EQ(sequenceIn(*cache.read(kFile)), sequence);
        if (sequence % 10 == 0)
            settle(); // kept again, then changed again
    }
}

TEST_F(PreferencePassTest, AnotherThreadChecksEveryReadWhileThisOneIsInAPass) {
    CountedStamps stamps;
    PreferenceCache cache(PreferenceCache::Validation::Stamp, stamps.source());
    replace(host(kFile), version(1));
    settle();
    PreferencePass::Scope scope;
    cache.read(kFile);
    std::optional<long> seen;
    std::thread([&] {
        for (int read = 0; read < 10; ++read)
            cache.read(kFile);
        replace(host(kFile), version(2));
        seen = sequenceIn(*cache.read(kFile));
    }).join();
    EXPECT_EQ(stamps.of(kFile), 1 + 11);
    EXPECT_EQ(seen, 2);
}

// The store's own changes: a read-modify-write inside a pass starts from the
// file as it is (another process's change is kept), and the pass's next read
// shows the result.
TEST_F(PreferencePassTest, ChangesMadeInsideAPassLoseNothingAndShowAtOnce) {
    VRPrefs& prefs = *VRPrefs::shared();
    replace(host(kFile), "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\"><dict>"
                         "<key>accent</key><string>112233</string></dict></plist>\n");
    settle();
    PreferencePass::Scope scope;
    EXPECT_EQ(HexColorCodec::hexStringFromColor(prefs.colourForKey("accent", "000000", kID)), "112233FF");
    // Another process adds a key after this pass's check.
    replace(host(kFile), "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\"><dict>"
                         "<key>accent</key><string>112233</string><key>cell</key><string>445566</string>"
                         "</dict></plist>\n");
    prefs.setObject(ns::PlistValue("778899"), "accent", kID);
    auto written = ns::PlistFile::readDictionary(kFile);
    ASSERT_TRUE(written.ok());
    const ns::PlistDictionary& file = written.value();
    ASSERT_EQ(file.count("cell"), 1u) << "the other writer's change survives";
    EXPECT_EQ(file.at("cell").stringValue(), "445566");
    ASSERT_EQ(file.count("accent"), 1u);
    EXPECT_EQ(file.at("accent").stringValue(), "778899");
    EXPECT_EQ(HexColorCodec::hexStringFromColor(prefs.colourForKey("accent", "000000", kID)), "778899FF");
    EXPECT_EQ(HexColorCodec::hexStringFromColor(prefs.colourForKey("cell", "000000", kID)), "445566FF");
    prefs.removeObjectForKey("cell", kID);
    EXPECT_EQ(HexColorCodec::hexStringFromColor(prefs.colourForKey("cell", "000000", kID)), "000000FF");
}

} // namespace
