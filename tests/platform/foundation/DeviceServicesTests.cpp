// Darwin notifications and posix_spawn as the deliverables see them: this file
// is built with the device's spawn.h, so posix_spawn here is the device's.
#include "TemporaryDirectory.h"

#include <CoreFoundation/CFNotificationCenter.h>
#include <Foundation/DevicePath.h>
#include <Foundation/SpawnedProcesses.h>

#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

class DeviceServices : public ::testing::Test {
  protected:
    void SetUp() override {
        fs::create_directories(fs::path(m_device.path()) / "var/log");
        fs::create_directories(fs::path(m_device.path()) / "usr/bin");
        setenv(ns::DevicePath::kRootVariable, m_device.path().c_str(), 1);
    }
    void TearDown() override { unsetenv(ns::DevicePath::kRootVariable); }

    std::string read(const std::string& relative) const {
        std::ifstream in(fs::path(m_device.path()) / relative);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }

    void writeScript(const std::string& relative, const std::string& body) const {
        fs::path path = fs::path(m_device.path()) / relative;
        std::ofstream(path) << "#!/bin/sh\n" << body;
        fs::permissions(path, fs::perms::owner_all);
    }

    TemporaryDirectory m_device;
};

std::vector<std::string> g_seen;

void record(CFNotificationCenterRef, void* observer, CFNotificationName name, const void*, CFDictionaryRef) {
    g_seen.push_back(std::string(static_cast<const char*>(observer)) + ":" + name);
}

TEST_F(DeviceServices, DarwinPostsAreLoggedOncePerPostAndReachMatchingObservers) {
    g_seen.clear();
    CFNotificationCenterRef center = CFNotificationCenterGetDarwinNotifyCenter();
    EXPECT_EQ(center, CFNotificationCenterGetDarwinNotifyCenter());
    static const char kOne[] = "one";
    static const char kAll[] = "all";
    CFNotificationCenterAddObserver(center, kOne, &record, "com.example/changed", nullptr,
                                    CFNotificationSuspensionBehaviorDeliverImmediately);
    CFNotificationCenterAddObserver(center, kOne, &record, "com.example/changed", nullptr,
                                    CFNotificationSuspensionBehaviorDeliverImmediately); // registered once
    CFNotificationCenterAddObserver(center, kAll, &record, nullptr, nullptr,
                                    CFNotificationSuspensionBehaviorDeliverImmediately);

    CFNotificationCenterPostNotification(center, "com.example/changed", nullptr, nullptr, true);
    CFNotificationCenterPostNotification(center, "com.example/other", nullptr, nullptr, true);
    CFNotificationCenterPostNotification(center, nullptr, nullptr, nullptr, true);
    EXPECT_EQ(g_seen, (std::vector<std::string>{"one:com.example/changed", "all:com.example/changed",
                                                "all:com.example/other"}));
    EXPECT_EQ(read("var/log/notifications"), "com.example/changed\ncom.example/other\n");

    CFNotificationCenterRemoveObserver(center, kOne, "com.example/changed", nullptr);
    CFNotificationCenterRemoveEveryObserver(center, kAll);
    g_seen.clear();
    CFNotificationCenterPostNotification(center, "com.example/changed", nullptr, nullptr, true);
    EXPECT_TRUE(g_seen.empty());
    EXPECT_EQ(read("var/log/notifications"), "com.example/changed\ncom.example/other\ncom.example/changed\n");
}

TEST_F(DeviceServices, PostingWithoutADeviceStillReachesObservers) {
    unsetenv(ns::DevicePath::kRootVariable);
    g_seen.clear();
    static const char kMe[] = "me";
    CFNotificationCenterRef center = CFNotificationCenterGetDarwinNotifyCenter();
    CFNotificationCenterAddObserver(center, kMe, &record, "x", nullptr, CFNotificationSuspensionBehaviorDrop);
    CFNotificationCenterPostNotification(center, "x", nullptr, nullptr, false);
    CFNotificationCenterRemoveEveryObserver(center, kMe);
    EXPECT_EQ(g_seen, (std::vector<std::string>{"me:x"}));
}

TEST_F(DeviceServices, SpawnRunsTheDeviceProgramInTheDeviceEnvironmentAndIsRemembered) {
    writeScript("usr/bin/echoargs",
                "echo \"$0|$*|$SIMDEVICE_ROOT|$PATH|${HOME:-none}\" >> \"$SIMDEVICE_ROOT/var/log/args\"\n");
    const std::size_t before = ns::SpawnedProcesses::count();
    const char* argv[] = {"echoargs", "a", "b", nullptr};
    pid_t pid = 0;
    ASSERT_EQ(
        posix_spawn(&pid, "/usr/bin/echoargs", nullptr, nullptr, const_cast<char* const*>(argv), nullptr), 0);
    EXPECT_GT(pid, 0);
    EXPECT_EQ(ns::SpawnedProcesses::count(), before + 1);
    auto exits = ns::SpawnedProcesses::waitAll();
    ASSERT_EQ(exits.size(), 1u);
    EXPECT_EQ(exits[0].pid, pid);
    EXPECT_TRUE(WIFEXITED(exits[0].status) && WEXITSTATUS(exits[0].status) == 0);
    EXPECT_TRUE(ns::SpawnedProcesses::waitAll().empty()); // each child is waited for once
    EXPECT_EQ(read("var/log/args"), fs::path(m_device.path()).string() + "/usr/bin/echoargs|a b|" +
                                        m_device.path() + "|/usr/bin:/bin:/usr/sbin:/sbin|none\n");

    // A given environment is kept, but the child never leaves this device.
    const char* envp[] = {"SIMDEVICE_ROOT=/elsewhere", "HOME=/var/mobile", nullptr};
    ASSERT_EQ(posix_spawn(nullptr, "/usr/bin/echoargs", nullptr, nullptr, const_cast<char* const*>(argv),
                          const_cast<char* const*>(envp)),
              0);
    ns::SpawnedProcesses::waitAll();
    const std::string second = read("var/log/args").substr(read("var/log/args").find('\n') + 1);
    EXPECT_NE(second.find("|a b|" + m_device.path() + "|"), std::string::npos) << second;
    EXPECT_NE(second.find("|/var/mobile\n"), std::string::npos) << second;
}

TEST_F(DeviceServices, SpawnRefusesWhatIsNotOnTheDevice) {
    const char* argv[] = {"sh", "-c", "exit 0", nullptr};
    char* const* args = const_cast<char* const*>(argv);
    const std::size_t before = ns::SpawnedProcesses::count();
    EXPECT_EQ(posix_spawn(nullptr, "bin/sh", nullptr, nullptr, args, nullptr), EINVAL);
    EXPECT_EQ(posix_spawn(nullptr, nullptr, nullptr, nullptr, args, nullptr), EINVAL);
    EXPECT_EQ(posix_spawn(nullptr, "/../../bin/sh", nullptr, nullptr, args, nullptr), EACCES);
    // "/bin/sh" names the device's /bin/sh, which this device does not have.
    EXPECT_NE(posix_spawn(nullptr, "/bin/sh", nullptr, nullptr, args, nullptr), 0);
    unsetenv(ns::DevicePath::kRootVariable);
    EXPECT_EQ(posix_spawn(nullptr, "/usr/bin/true", nullptr, nullptr, args, nullptr), ENOENT);
    EXPECT_EQ(ns::SpawnedProcesses::count(), before);
}

} // namespace
