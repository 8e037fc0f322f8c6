#include "BenchDevice.h"

#include "PreferenceCache.h"
#include "VRPrefs.h"

#include <Foundation/DevicePath.h>
#include <Foundation/PlistFile.h>
#include <Foundation/ProcessIdentity.h>

#include <cstdlib>
#include <thread>

namespace fs = std::filesystem;

std::string sizedDomain(int keys) {
    return "bench.keys" + std::to_string(keys);
}

std::string changingDomain(int keys) {
    return "bench.changing.keys" + std::to_string(keys);
}

ns::PlistDictionary settingsOfSize(int keys, const char* primary) {
    ns::PlistDictionary settings;
    for (int i = 1; i < keys; ++i)
        settings["colourKey" + std::to_string(i)] = ns::PlistValue("FF9500FF");
    settings["primarylabel"] = ns::PlistValue(primary);
    return settings;
}

std::string hostPathOf(const std::string& domain) {
    return ns::DevicePath::toHost(VRPrefs::shared()->pathForID(domain)).value();
}

// A device whose Messages container holds a realistic 80-key settings file and
// files of 10 to 10,000 keys.
BenchDevice::BenchDevice() {
    std::string pattern = (fs::temp_directory_path() / "vantorel-bench-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        std::abort();
    root = pattern;
    setenv("SIMDEVICE_ROOT", root.c_str(), 1);
    fs::create_directories(root / "var/mobile/Containers/Data/Application/BENCH/Documents");
    ns::ProcessIdentity::configure("com.apple.MobileSMS", "/var/mobile/Containers/Data/Application/BENCH");

    ns::PlistDictionary settings;
    for (int i = 0; i < 70; ++i)
        settings["colourKey" + std::to_string(i)] = ns::PlistValue("FF9500FF");
    for (int i = 0; i < 10; ++i)
        settings["switchKey" + std::to_string(i)] = ns::PlistValue(i % 2 == 0);
    settings["primarylabel"] = ns::PlistValue("F2F2F7FF");
    write(kPreferenceDomain, settings);
    for (int keys : {10, 100, 1000, 10000}) {
        write(sizedDomain(keys), settingsOfSize(keys, "F2F2F7FF"));
        hostFiles[keys] = hostPathOf(sizedDomain(keys));
        write(changingDomain(keys), settingsOfSize(keys, "F2F2F7FF"));
    }
    // The store keeps a file only once its last change has settled.
    std::this_thread::sleep_for(PreferenceCache::kSettleTime * 2);
}

BenchDevice::~BenchDevice() {
    fs::remove_all(root);
}

void BenchDevice::write(const std::string& domain, const ns::PlistDictionary& settings) {
    if (!ns::PlistFile::writeDictionary(VRPrefs::shared()->pathForID(domain), settings).ok())
        std::abort();
}

BenchDevice& benchDevice() {
    static BenchDevice shared;
    return shared;
}
