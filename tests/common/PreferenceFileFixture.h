#pragma once
// What the preference store's tests share: this program as Messages in one
// container (the store keeps the paths it first works out, so every test of
// a program must use the same one), a simulated device of its own per test,
// and file versions that say which write an answer came from.
#include "PreferenceCache.h"

#include <Foundation/PlistValue.h>
#include <Foundation/ProcessIdentity.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <thread>

namespace preference_files {

inline const std::string kID = "com.tavq.vantorelprefs";
inline const std::string kContainer = "/var/mobile/Containers/Data/Application/5C3A-TEST";
inline const std::string kFile = kContainer + "/Documents/" + kID + ".plist";

// Every version has the same size, so that size never tells versions apart;
// `colours` stored colours make it as long as a user's file.
inline std::string version(long sequence, int colours = 0) {
    char number[32];
    std::snprintf(number, sizeof number, "%012ld", sequence);
    std::string text = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\"><dict>";
    for (int i = 0; i < colours; ++i)
        text += "<key>colour" + std::to_string(100 + i) + "</key><string>FF9500FF</string>";
    text += std::string("<key>sequence</key><string>") + number + "</string></dict></plist>\n";
    return text;
}

inline std::optional<long> sequenceIn(const ns::PlistDictionary& dictionary) {
    auto it = dictionary.find("sequence");
    if (it == dictionary.end() || !it->second.isString())
        return std::nullopt;
    return std::stol(it->second.stringValue());
}

// Another process's atomic replacement: written beside the target, renamed
// over it. No flush, so replacements follow each other as fast as possible.
inline void replace(const std::string& hostPath, const std::string& text) {
    const std::string temporary = hostPath + ".writing";
    {
        std::ofstream out(temporary, std::ios::binary);
        out << text;
    }
    std::rename(temporary.c_str(), hostPath.c_str());
}

class DeviceTest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string pattern = (std::filesystem::temp_directory_path() / "preference-test-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        m_root = pattern;
        ::setenv("SIMDEVICE_ROOT", m_root.c_str(), 1);
        std::filesystem::create_directories(host(kContainer + "/Documents"));
        ns::ProcessIdentity::configure("com.apple.MobileSMS", kContainer);
    }
    void TearDown() override {
        ::unsetenv("SIMDEVICE_ROOT");
        std::filesystem::remove_all(m_root);
    }
    std::string host(const std::string& devicePath) const { return (m_root / devicePath.substr(1)).string(); }
    // Long enough for a file to be kept without a further look.
    static void settle() {
        std::this_thread::sleep_for(PreferenceCache::kSettleTime + std::chrono::milliseconds(30));
    }

    std::filesystem::path m_root;
};

} // namespace preference_files
