#include "TemporaryDirectory.h"

#include <Foundation/NSLog.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

TEST(NSLog, LinesLandInTheDeviceSyslogWholeAndInOrder) {
    TemporaryDirectory root;
    setenv("SIMDEVICE_ROOT", root.path().c_str(), 1);
    std::filesystem::create_directories(root.path() + "/var/log");
    NSLog("first line");
    std::vector<std::thread> writers;
    for (int t = 0; t < 4; ++t)
        writers.emplace_back([t] {
            for (int i = 0; i < 50; ++i)
                NSLog("writer " + std::to_string(t) + " line " + std::to_string(i) + " " +
                      std::string(200, 'x'));
        });
    for (auto& writer : writers)
        writer.join();
    std::ifstream log(root.path() + "/var/log/syslog");
    std::vector<std::string> lines;
    for (std::string line; std::getline(log, line);)
        lines.push_back(line);
    ASSERT_EQ(lines.size(), 201u);
    EXPECT_NE(lines[0].find("]: first line"), std::string::npos);
    for (const std::string& line : lines)
        EXPECT_TRUE(line.ends_with("first line") || line.ends_with(std::string(200, 'x'))) << line;
    unsetenv("SIMDEVICE_ROOT");
    NSLog("no device: goes nowhere, fails nothing");
}

TEST(NSLog, ALogWithAnotherNameIsReplacedNotAppendedTo) {
    TemporaryDirectory root;
    TemporaryDirectory outside;
    setenv("SIMDEVICE_ROOT", root.path().c_str(), 1);
    std::filesystem::create_directories(root.path() + "/var/log");
    const std::string victim = outside.path() + "/victim";
    std::ofstream(victim) << "outside\n";
    std::filesystem::create_hard_link(victim, root.path() + "/var/log/syslog");
    NSLog("inside");
    std::ifstream kept(victim);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(kept), {}), "outside\n");
    std::ifstream log(root.path() + "/var/log/syslog");
    const std::string logged(std::istreambuf_iterator<char>(log), {});
    EXPECT_TRUE(logged.ends_with("inside\n")) << logged;
    EXPECT_EQ(std::filesystem::hard_link_count(root.path() + "/var/log/syslog"), 1u);
    unsetenv("SIMDEVICE_ROOT");
}
