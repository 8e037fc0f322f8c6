#include "TemporaryDirectory.h"

#include <Foundation/NSFileManager.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

namespace fs = std::filesystem;

namespace {

using Bytes = std::vector<std::uint8_t>;

class NSFileManagerTest : public ::testing::Test {
  protected:
    void SetUp() override { ::setenv("SIMDEVICE_ROOT", m_root.path().c_str(), 1); }
    void TearDown() override { ::unsetenv("SIMDEVICE_ROOT"); }
    std::string host(const std::string& devicePath) const { return m_root.path() + devicePath; }

    NSFileManager* m_files = NSFileManager::defaultManager();
    TemporaryDirectory m_root;
};

} // namespace

TEST_F(NSFileManagerTest, CreatesDirectoriesAsTheDeviceDoes) {
    EXPECT_FALSE(m_files->createDirectoryAtPath("/var/mobile/Documents", NO));
    EXPECT_TRUE(m_files->createDirectoryAtPath("/var/mobile/Documents", YES));
    EXPECT_TRUE(fs::is_directory(host("/var/mobile/Documents")));
    EXPECT_TRUE(m_files->createDirectoryAtPath("/var/mobile/Documents", YES));
    EXPECT_FALSE(m_files->createDirectoryAtPath("/var/mobile/Documents", NO));
    EXPECT_TRUE(m_files->createDirectoryAtPath("/var/mobile/Library", NO));

    ASSERT_TRUE(m_files->createFileAtPath("/var/mobile/file", Bytes{1}));
    EXPECT_FALSE(m_files->createDirectoryAtPath("/var/mobile/file", YES));
}

TEST_F(NSFileManagerTest, WritesAndReadsFiles) {
    EXPECT_FALSE(m_files->fileExistsAtPath("/a.bin"));
    EXPECT_FALSE(m_files->contentsAtPath("/a.bin"));
    ASSERT_TRUE(m_files->createFileAtPath("/a.bin", Bytes{1, 2, 3}));
    EXPECT_TRUE(m_files->fileExistsAtPath("/a.bin"));
    EXPECT_EQ(m_files->contentsAtPath("/a.bin"), (Bytes{1, 2, 3}));
    ASSERT_TRUE(m_files->createFileAtPath("/a.bin", Bytes{}));
    EXPECT_EQ(m_files->contentsAtPath("/a.bin"), Bytes{});
    EXPECT_FALSE(m_files->createFileAtPath("/missing/a.bin", Bytes{1}));
    EXPECT_FALSE(m_files->contentsAtPath("/"));
    EXPECT_TRUE(m_files->fileExistsAtPath("/"));
}

// Reads are sized from the file; sizes around the buffer's edges come back whole.
TEST_F(NSFileManagerTest, ReadsFilesOfEverySizeWhole) {
    for (std::size_t size : {1, 4095, 4096, 4097, 65535, 65536, 65537, 300001}) {
        Bytes bytes(size);
        for (std::size_t i = 0; i < size; ++i)
            bytes[i] = static_cast<std::uint8_t>(i * 7 + size);
        ASSERT_TRUE(m_files->createFileAtPath("/sized.bin", bytes));
        EXPECT_EQ(m_files->contentsAtPath("/sized.bin"), bytes) << size << " bytes";
    }
}

TEST_F(NSFileManagerTest, CopyAndMoveRefuseAnExistingDestination) {
    ASSERT_TRUE(m_files->createFileAtPath("/src", Bytes{1}));
    ASSERT_TRUE(m_files->createFileAtPath("/dst", Bytes{2}));
    EXPECT_FALSE(m_files->copyItemAtPath("/src", "/dst"));
    EXPECT_FALSE(m_files->moveItemAtPath("/src", "/dst"));
    EXPECT_EQ(m_files->contentsAtPath("/dst"), Bytes{2});
    EXPECT_EQ(m_files->contentsAtPath("/src"), Bytes{1});

    EXPECT_TRUE(m_files->copyItemAtPath("/src", "/copy"));
    EXPECT_EQ(m_files->contentsAtPath("/copy"), Bytes{1});
    EXPECT_TRUE(m_files->moveItemAtPath("/src", "/moved"));
    EXPECT_FALSE(m_files->fileExistsAtPath("/src"));
    EXPECT_EQ(m_files->contentsAtPath("/moved"), Bytes{1});
    EXPECT_FALSE(m_files->copyItemAtPath("/src", "/again"));
    EXPECT_FALSE(m_files->moveItemAtPath("/src", "/again"));
}

TEST_F(NSFileManagerTest, ReplaceSwapsInTheNewFileInOneStep) {
    ASSERT_TRUE(m_files->createFileAtPath("/wallpaper", Bytes{1}));
    ASSERT_TRUE(m_files->createFileAtPath("/wallpaper.incoming", Bytes{2}));
    EXPECT_TRUE(m_files->replaceItemAtPath("/wallpaper", "/wallpaper.incoming"));
    EXPECT_EQ(m_files->contentsAtPath("/wallpaper"), Bytes{2});
    EXPECT_FALSE(m_files->fileExistsAtPath("/wallpaper.incoming"));
    EXPECT_FALSE(m_files->replaceItemAtPath("/wallpaper", "/wallpaper.incoming"))
        << "nothing to put in place";
    EXPECT_EQ(m_files->contentsAtPath("/wallpaper"), Bytes{2});
    ASSERT_TRUE(m_files->createFileAtPath("/fresh.incoming", Bytes{3}));
    EXPECT_TRUE(m_files->replaceItemAtPath("/fresh", "/fresh.incoming")) << "no original is fine";
    EXPECT_EQ(m_files->contentsAtPath("/fresh"), Bytes{3});
}

TEST_F(NSFileManagerTest, DirectoriesCopyAndRemoveWithTheirContents) {
    ASSERT_TRUE(m_files->createDirectoryAtPath("/tree/branch", YES));
    ASSERT_TRUE(m_files->createFileAtPath("/tree/branch/leaf", Bytes{7}));
    EXPECT_TRUE(m_files->copyItemAtPath("/tree", "/copy"));
    EXPECT_EQ(m_files->contentsAtPath("/copy/branch/leaf"), Bytes{7});
    EXPECT_FALSE(m_files->copyItemAtPath("/tree", "/copy"));

    EXPECT_TRUE(m_files->removeItemAtPath("/tree"));
    EXPECT_FALSE(m_files->fileExistsAtPath("/tree"));
    EXPECT_FALSE(m_files->removeItemAtPath("/tree"));
    EXPECT_TRUE(m_files->fileExistsAtPath("/copy/branch/leaf"));
}

TEST_F(NSFileManagerTest, EverythingFailsOutsideOrWithoutADevice) {
    // The root's own parent must stay out of reach.
    const std::string outside = fs::path(m_root.path()).filename().string();
    EXPECT_FALSE(m_files->fileExistsAtPath("/../" + outside));
    EXPECT_FALSE(m_files->createFileAtPath("/../escaped", Bytes{1}));
    EXPECT_FALSE(fs::exists(fs::path(m_root.path()).parent_path() / "escaped"));

    ASSERT_TRUE(m_files->createFileAtPath("/f", Bytes{1}));
    ::unsetenv("SIMDEVICE_ROOT");
    EXPECT_FALSE(m_files->fileExistsAtPath("/f"));
    EXPECT_FALSE(m_files->contentsAtPath("/f"));
    EXPECT_FALSE(m_files->createFileAtPath("/g", Bytes{1}));
    EXPECT_FALSE(m_files->createDirectoryAtPath("/d", YES));
    EXPECT_FALSE(m_files->copyItemAtPath("/f", "/h"));
    EXPECT_FALSE(m_files->moveItemAtPath("/f", "/h"));
    EXPECT_FALSE(m_files->removeItemAtPath("/f"));
    EXPECT_TRUE(fs::exists(host("/f")));
}

TEST_F(NSFileManagerTest, ListsADirectoryInNameOrder) {
    ASSERT_TRUE(m_files->createDirectoryAtPath("/var/mobile/Media/DCIM", YES));
    for (const char* name : {"b.png", "a.jpg", "c"})
        ASSERT_TRUE(m_files->createFileAtPath(std::string("/var/mobile/Media/DCIM/") + name, Bytes{1}));
    ASSERT_TRUE(m_files->createDirectoryAtPath("/var/mobile/Media/DCIM/sub", NO));
    EXPECT_EQ(m_files->contentsOfDirectoryAtPath("/var/mobile/Media/DCIM"),
              (std::vector<std::string>{"a.jpg", "b.png", "c", "sub"}));
    EXPECT_EQ(m_files->contentsOfDirectoryAtPath("/var/mobile/Media/DCIM/a.jpg"), std::nullopt);
    EXPECT_EQ(m_files->contentsOfDirectoryAtPath("/var/mobile/none"), std::nullopt);
    EXPECT_EQ(m_files->contentsOfDirectoryAtPath("/../etc"), std::nullopt);
}
