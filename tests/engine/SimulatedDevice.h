#pragma once
// A throw-away simulated device for in-process engine tests: a root folder with
// the user's Preferences folder and a Messages container, entered by this process.
#include <Foundation/PlistFile.h>
#include <Foundation/ProcessIdentity.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

class SimulatedDevice {
  public:
    static constexpr const char* kContainer = "/var/mobile/Containers/Data/Application/0A1B2C3D-TEST/";
    static constexpr const char* kSource = "/var/mobile/Library/Preferences/com.tavq.vantorelprefs.plist";

    explicit SimulatedDevice(const char* bundleIdentifier = "com.apple.MobileSMS") {
        std::string pattern = (std::filesystem::temp_directory_path() / "engine-test-XXXXXX").string();
        if (!::mkdtemp(pattern.data()))
            std::abort();
        m_root = pattern;
        setenv("SIMDEVICE_ROOT", m_root.c_str(), 1);
        std::filesystem::create_directories(host("/var/mobile/Library/Preferences"));
        std::filesystem::create_directories(host(std::string(kContainer) + "Documents"));
        std::filesystem::create_directories(host("/var/log"));
        std::string home = kContainer;
        home.pop_back();
        ns::ProcessIdentity::configure(bundleIdentifier, home);
    }
    ~SimulatedDevice() {
        std::error_code ignored;
        std::filesystem::remove_all(m_root, ignored);
    }
    SimulatedDevice(const SimulatedDevice&) = delete;
    SimulatedDevice& operator=(const SimulatedDevice&) = delete;

    std::filesystem::path host(const std::string& devicePath) const {
        return m_root / std::filesystem::path(devicePath).relative_path();
    }
    static std::string documents() { return std::string(kContainer) + "Documents/"; }
    static std::string target() { return documents() + "com.tavq.vantorelprefs.plist"; }

    void write(const std::string& devicePath, const ns::PlistDictionary& dictionary) const {
        if (!ns::PlistFile::writeDictionary(devicePath, dictionary).ok())
            std::abort();
    }
    ns::PlistDictionary read(const std::string& devicePath) const {
        auto file = ns::PlistFile::readDictionary(devicePath);
        return file.ok() ? file.value() : ns::PlistDictionary{};
    }
    void writeBytes(const std::string& devicePath, const std::string& bytes) const {
        std::ofstream(host(devicePath), std::ios::binary) << bytes;
    }
    std::string readBytes(const std::string& devicePath) const {
        std::ifstream file(host(devicePath), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(file), {});
    }
    std::string syslog() const { return readBytes("/var/log/syslog"); }

  private:
    std::filesystem::path m_root;
};
