#include "TemporaryDirectory.h"

#include <Foundation/FileStamp.h>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace {

class FileStampTest : public ::testing::Test {
  protected:
    void SetUp() override { ::setenv("SIMDEVICE_ROOT", m_root.path().c_str(), 1); }
    void TearDown() override { ::unsetenv("SIMDEVICE_ROOT"); }
    std::string host(const std::string& devicePath) const { return m_root.path() + devicePath; }
    void put(const std::string& devicePath, const std::string& text) const {
        std::ofstream(host(devicePath), std::ios::binary) << text;
    }
    // Written beside the target and renamed over it, as every writer of settings does.
    void replace(const std::string& devicePath, const std::string& text) const {
        put(devicePath + ".new", text);
        fs::rename(host(devicePath + ".new"), host(devicePath));
    }

    TemporaryDirectory m_root;
};

} // namespace

TEST_F(FileStampTest, DescribesTheFileThePathNames) {
    put("/prefs.plist", "twelve bytes");
    const auto stamp = ns::FileStamp::ofItemAtPath("/prefs.plist");
    ASSERT_TRUE(stamp);
    struct stat info {};
    ASSERT_EQ(::stat(host("/prefs.plist").c_str(), &info), 0);
    EXPECT_EQ(stamp->kind, ns::FileStamp::Kind::Regular);
    EXPECT_EQ(stamp->size, 12);
    EXPECT_EQ(stamp->inode, info.st_ino);
    EXPECT_EQ(stamp->device, info.st_dev);
    EXPECT_EQ(stamp->changed.time_since_epoch().count() % 1'000'000'000, info.st_ctim.tv_nsec)
        << "nanoseconds are kept";
    const auto age = std::chrono::system_clock::now() - stamp->changed;
    EXPECT_LT(std::chrono::abs(age), std::chrono::seconds(5)) << "times count from the system clock's epoch";

    fs::create_symlink("prefs.plist", host("/link.plist")); // links resolve inside the device
    EXPECT_EQ(ns::FileStamp::ofItemAtPath("/link.plist"), stamp) << "symbolic links are followed";
}

TEST_F(FileStampTest, NamesOtherKindsAndAnswersNothingForMissingItems) {
    fs::create_directory(host("/folder"));
    ASSERT_EQ(::mkfifo(host("/pipe").c_str(), 0600), 0);
    EXPECT_EQ(ns::FileStamp::ofItemAtPath("/folder")->kind, ns::FileStamp::Kind::Directory);
    EXPECT_EQ(ns::FileStamp::ofItemAtPath("/pipe")->kind, ns::FileStamp::Kind::Other);
    EXPECT_FALSE(ns::FileStamp::ofItemAtPath("/missing.plist"));
    EXPECT_FALSE(ns::FileStamp::ofItemAtPath("relative.plist"));
    put("/prefs.plist", "x");
    ::unsetenv("SIMDEVICE_ROOT");
    EXPECT_FALSE(ns::FileStamp::ofItemAtPath("/prefs.plist")) << "no device, no stamp";
}

TEST_F(FileStampTest, EveryReplacementOrChangeGivesAnotherStamp) {
    put("/prefs.plist", "version one");
    const auto first = ns::FileStamp::ofItemAtPath("/prefs.plist");
    EXPECT_EQ(ns::FileStamp::ofItemAtPath("/prefs.plist"), first) << "unchanged files keep their stamp";

    // Same size, and the content's time set back to the old one, as a copy
    // that keeps times would: the file itself and its change time still differ.
    replace("/prefs.plist", "version two");
    const struct timespec times[2] = {{0, UTIME_OMIT},
                                      {first->modified.time_since_epoch().count() / 1'000'000'000,
                                       first->modified.time_since_epoch().count() % 1'000'000'000}};
    ASSERT_EQ(::utimensat(AT_FDCWD, host("/prefs.plist").c_str(), times, 0), 0);
    const auto second = ns::FileStamp::ofItemAtPath("/prefs.plist");
    EXPECT_EQ(second->modified, first->modified);
    EXPECT_EQ(second->size, first->size);
    EXPECT_NE(second, first);
    EXPECT_GE(second->changed, first->changed);
}

TEST_F(FileStampTest, TheHostsLookupAgreesInsideTheDeviceAndOnlyThere) {
    fs::create_directories(host("/var/prefs"));
    put("/var/prefs/real.plist", "content");
    fs::create_symlink("real.plist", host("/var/prefs/relative.plist"));
    fs::create_symlink("/var/prefs/real.plist", host("/var/prefs/absolute.plist"));
    const auto inside = ns::FileStamp::ofItemAtPath("/var/prefs/real.plist");
    ASSERT_TRUE(inside);
    EXPECT_EQ(ns::FileStamp::ofItemFoundByHost("/var/prefs/real.plist"), inside);
    EXPECT_EQ(ns::FileStamp::ofItemFoundByHost("/var/prefs/relative.plist"), inside);
    // An absolute link means the device's /var inside the device, the machine's outside it.
    EXPECT_EQ(ns::FileStamp::ofItemAtPath("/var/prefs/absolute.plist"), inside);
    EXPECT_NE(ns::FileStamp::ofItemFoundByHost("/var/prefs/absolute.plist"), inside);
    EXPECT_FALSE(ns::FileStamp::ofItemFoundByHost("/missing.plist"));
    EXPECT_FALSE(ns::FileStamp::ofItemFoundByHost("relative.plist"));
    ::unsetenv("SIMDEVICE_ROOT");
    EXPECT_FALSE(ns::FileStamp::ofItemFoundByHost("/var/prefs/real.plist")) << "no device, no stamp";
}
