#include "TemporaryDirectory.h"

#include <Foundation/NSLog.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
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
