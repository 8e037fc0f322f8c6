#include <Foundation/DevicePath.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

using ns::DevicePath;

namespace {

class DevicePathTest : public ::testing::Test {
  protected:
    void TearDown() override { ::unsetenv("SIMDEVICE_ROOT"); }
    static void setRoot(const char* root) { ::setenv("SIMDEVICE_ROOT", root, 1); }
};

} // namespace

TEST_F(DevicePathTest, WithoutADeviceNothingMaps) {
    ::unsetenv("SIMDEVICE_ROOT");
    EXPECT_FALSE(DevicePath::root());
    const auto unset = DevicePath::toHost("/var/mobile/Library/Preferences/a.plist");
    ASSERT_FALSE(unset.ok());
    EXPECT_EQ(unset.kind(), ns::FailureKind::NoDevice);
    EXPECT_EQ(unset.error(), "no simulated device: SIMDEVICE_ROOT is not set");

    setRoot("");
    EXPECT_FALSE(DevicePath::root());
    EXPECT_EQ(DevicePath::toHost("/var/mobile").kind(), ns::FailureKind::NoDevice);
    // Roots that would put device paths on the build machine itself.
    for (const char* unsafe : {"/", "//", "/tmp/..", "relative/dir"}) {
        setRoot(unsafe);
        EXPECT_EQ(DevicePath::toHost("/var/mobile").kind(), ns::FailureKind::NoDevice) << unsafe;
    }
}

TEST_F(DevicePathTest, MapsUnderTheRoot) {
    setRoot("/tmp/device/");
    EXPECT_EQ(DevicePath::root(), "/tmp/device/");
    EXPECT_EQ(DevicePath::toHost("/var/mobile/Library/Preferences/a.plist").value(),
              "/tmp/device/var/mobile/Library/Preferences/a.plist");
    EXPECT_EQ(DevicePath::toHost("/").value(), "/tmp/device");
    EXPECT_EQ(DevicePath::toHost("//var/./mobile//Documents/").value(), "/tmp/device/var/mobile/Documents");
    EXPECT_EQ(DevicePath::toHost("/var/mobile/../root/x").value(), "/tmp/device/var/root/x");
}

TEST_F(DevicePathTest, RefusesPathsOutsideTheDevice) {
    setRoot("/tmp/device");
    for (const char* outside : {"/..", "/../etc/passwd", "/var/../../etc", "/var/mobile/../../../x"}) {
        const auto mapped = DevicePath::toHost(outside);
        EXPECT_EQ(mapped.kind(), ns::FailureKind::OutsideDevice) << outside << " -> " << mapped.valueOr("");
    }
    for (const char* relative : {"", "var/mobile", "./var", "~/Documents"})
        EXPECT_EQ(DevicePath::toHost(relative).kind(), ns::FailureKind::InvalidPath) << relative;
    EXPECT_EQ(DevicePath::toHost(std::string("/var/a\0/b", 9)).kind(), ns::FailureKind::InvalidPath);
}

TEST_F(DevicePathTest, LinksResolveInsideTheDevice) {
    namespace fs = std::filesystem;
    const fs::path root =
        fs::canonical(fs::temp_directory_path()) / ("device-links-" + std::to_string(::getpid()));
    fs::create_directories(root / "var/mobile/Library");
    fs::create_directories(root / "data");
    // Absolute targets start again at the device root; ".." stops there.
    fs::create_symlink("/", root / "var/mobile/Library/Preferences");
    fs::create_symlink("/data", root / "var/mobile/Documents");
    fs::create_symlink("../../../../../../../etc/passwd", root / "data/up.plist");
    fs::create_symlink("/etc/shadow", root / "data/absolute.plist");
    fs::create_symlink("loop", root / "data/loop");
    setRoot(root.c_str());
    const std::string r = root.string();
    EXPECT_EQ(DevicePath::toHost("/var/mobile/Library/Preferences/usr/bin/killall").value(),
              r + "/usr/bin/killall");
    EXPECT_EQ(DevicePath::toHost("/var/mobile/Documents/x.plist").value(), r + "/data/x.plist");
    EXPECT_EQ(DevicePath::toHost("/data/up.plist").value(), r + "/etc/passwd");
    EXPECT_EQ(DevicePath::toHost("/data/absolute.plist").value(), r + "/etc/shadow");
    EXPECT_EQ(DevicePath::toHost("/data/loop").kind(), ns::FailureKind::InvalidPath);
    // A file about to be replaced keeps the link itself as its name.
    EXPECT_EQ(DevicePath::toHost("/var/mobile/Documents/up.plist", DevicePath::FinalLink::Replace).value(),
              r + "/data/up.plist");
    fs::remove_all(root);
}
