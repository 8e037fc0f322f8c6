#include "SimulatedDevice.h"
#include "VantorelFileManager.h"

#include <MobileCoreServices/ApplicationRegistry.h>
#include <dispatch/dispatch.h>

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

const std::string kChatSource = "/var/mobile/Library/Preferences/com.tavq.vantorelprefs-chatWallpaper.png";
const std::string kListSource =
    "/var/mobile/Library/Preferences/com.tavq.vantorelprefs-conversationWallpaper.png";

class VantorelFileManagerTest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::filesystem::create_directories(device.host("/var/mobile/Library/MobileInstallation"));
    }
    void registerApplications(std::vector<mcs::ApplicationRegistry::Application> applications) {
        ASSERT_TRUE(mcs::ApplicationRegistry::write(applications));
    }
    static mcs::ApplicationRegistry::Application
    messages(std::string container = SimulatedDevice::kContainer) {
        return {"com.apple.MobileSMS", 1, container};
    }
    void sync() {
        files.updatingSquad();
        ASSERT_TRUE(ns::DispatchRuntime::runMainQueueUntilIdle(30));
    }
    std::string remembered() const {
        return files.objectForKey("messageDocumentPath", ns::PlistValue("none"), SimulatedDevice::kSource)
            .stringValue();
    }
    std::string chatTarget() const {
        return SimulatedDevice::documents() + "com.tavq.vantorelprefs-chatWallpaper.png";
    }

    SimulatedDevice device{"com.apple.springboard"};
    VantorelFileManager& files = *VantorelFileManager::shared();
};

TEST_F(VantorelFileManagerTest, HiddenApplicationsAndFileAccess) {
    EXPECT_FALSE(files.hasIconAndVisible(std::string("com.apple.mobilesms.compose")));
    EXPECT_FALSE(files.hasIconAndVisible(std::string("com.apple.Batteries")));
    EXPECT_TRUE(files.hasIconAndVisible(std::string("com.apple.MobileSMS")));
    EXPECT_TRUE(files.hasIconAndVisible(std::string("com.apple.batteries"))) << "the list is case-sensitive";
    EXPECT_TRUE(files.hasIconAndVisible(std::nullopt));

    const std::string path = "/var/mobile/Library/Preferences/other.plist";
    EXPECT_EQ(files.objectForKey("k", ns::PlistValue("none"), path), ns::PlistValue("none"));
    EXPECT_TRUE(files.dictForPath(path).empty());
    files.setObject(ns::PlistValue(int64_t{3}), "k", path);
    files.setObject(ns::PlistValue("v"), "other", path);
    EXPECT_EQ(files.dictForPath(path),
              (ns::PlistDictionary{{"k", ns::PlistValue(int64_t{3})}, {"other", ns::PlistValue("v")}}));
}

TEST_F(VantorelFileManagerTest, NoSourceFileMeansNoSyncAtAll) {
    registerApplications({messages()});
    sync();
    EXPECT_TRUE(device.syslog().empty());
    EXPECT_FALSE(std::filesystem::exists(device.host(SimulatedDevice::target())));
}

TEST_F(VantorelFileManagerTest, FirstLaunchScansRemembersAndCopiesThenLaterLaunchesCopyStraightAway) {
    registerApplications(
        {{"com.apple.mobilesms.compose", 1, std::string("/var/mobile/Containers/Data/Application/C/")},
         messages(),
         {"com.apple.Preferences", 1, std::nullopt}});
    device.write(SimulatedDevice::kSource, {{"accent", ns::PlistValue("ff0000")}});
    device.writeBytes(kChatSource, std::string("\x89PNG\0chat", 9));
    sync();
    EXPECT_EQ(remembered(), SimulatedDevice::documents());
    EXPECT_EQ(device.syslog().find("no sms path") != std::string::npos, true);
    ns::PlistDictionary target = device.read(SimulatedDevice::target());
    EXPECT_EQ(target.at("accent"), ns::PlistValue("ff0000"));
    EXPECT_EQ(target.at("messageDocumentPath"), ns::PlistValue(SimulatedDevice::documents()));
    EXPECT_EQ(device.readBytes(chatTarget()), std::string("\x89PNG\0chat", 9));

    // Second launch: the path is known, the merge only adds and overwrites.
    device.write(SimulatedDevice::target(),
                 {{"onlyInTarget", ns::PlistValue(true)}, {"accent", ns::PlistValue("0")}});
    device.write(SimulatedDevice::kSource,
                 {{"accent", ns::PlistValue("00ff00")},
                  {"messageDocumentPath", ns::PlistValue(SimulatedDevice::documents())}});
    std::filesystem::remove(device.host(kChatSource));
    sync();
    target = device.read(SimulatedDevice::target());
    EXPECT_EQ(target.at("accent"), ns::PlistValue("00ff00"));
    EXPECT_EQ(target.at("onlyInTarget"), ns::PlistValue(true));
    EXPECT_EQ(device.readBytes(chatTarget()), std::string("\x89PNG\0chat", 9))
        << "a missing source keeps the target";
    std::string log = device.syslog();
    EXPECT_NE(log.find("sms path exist"), std::string::npos);
    EXPECT_NE(log.find(SimulatedDevice::target()), std::string::npos);
}

TEST_F(VantorelFileManagerTest, NoneOrTwoMessagesStoreNothing) {
    device.write(SimulatedDevice::kSource, {{"accent", ns::PlistValue("ff0000")}});
    registerApplications(
        {{"com.apple.Preferences", 1, std::string("/var/mobile/Containers/Data/Application/P/")}});
    sync();
    EXPECT_EQ(remembered(), "none");
    registerApplications({messages(), {"com.apple.MobileSMS.helper", 1, std::string("/x/")}});
    sync();
    EXPECT_EQ(remembered(), "none");
    EXPECT_FALSE(std::filesystem::exists(device.host(SimulatedDevice::target())));
    // Messages without a data container has no Documents folder to remember.
    registerApplications({{"com.apple.MobileSMS", 1, std::nullopt}});
    sync();
    EXPECT_EQ(remembered(), "none");
}

TEST_F(VantorelFileManagerTest, AMovedContainerIsFoundAgain) {
    const std::string moved = "/var/mobile/Containers/Data/Application/NEW-UUID/";
    device.write(SimulatedDevice::kSource, {{"accent", ns::PlistValue("ff0000")}});
    registerApplications({messages()});
    sync();
    ASSERT_EQ(remembered(), SimulatedDevice::documents());

    std::filesystem::remove_all(device.host(SimulatedDevice::kContainer));
    std::filesystem::create_directories(device.host(moved + "Documents"));
    registerApplications({messages(moved)});
    sync();
    EXPECT_EQ(remembered(), moved + "Documents/");
    EXPECT_EQ(device.read(moved + "Documents/com.tavq.vantorelprefs.plist").at("accent"),
              ns::PlistValue("ff0000"));
    EXPECT_FALSE(std::filesystem::exists(device.host(SimulatedDevice::kContainer)))
        << "no folder is ever created";
}

TEST_F(VantorelFileManagerTest, AFailedWallpaperCopyKeepsTheOldOne) {
    device.write(SimulatedDevice::kSource,
                 {{"messageDocumentPath", ns::PlistValue(SimulatedDevice::documents())}});
    device.writeBytes(chatTarget(), "old wallpaper");
    // A source that exists but cannot be copied as a file.
    ASSERT_EQ(::mkfifo(device.host(kChatSource).c_str(), 0644), 0);
    device.writeBytes(kListSource, "new list wallpaper");
    sync();
    EXPECT_EQ(device.readBytes(chatTarget()), "old wallpaper");
    EXPECT_EQ(
        device.readBytes(SimulatedDevice::documents() + "com.tavq.vantorelprefs-conversationWallpaper.png"),
        "new list wallpaper");
    for (const auto& entry : std::filesystem::directory_iterator(device.host(SimulatedDevice::documents())))
        EXPECT_EQ(entry.path().string().find(".incoming"), std::string::npos) << "no temporary file is left";
}

} // namespace
