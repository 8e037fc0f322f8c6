// What one colour answer costs: the engine reads and parses the whole settings
// file for every colour the host asks for. Compared side by side with the
// parse alone and with a bare stat of the file, so that the noise of the
// machine cancels out within one run.
#include "VRPrefs.h"

#include <Foundation/DevicePath.h>
#include <Foundation/PlistFile.h>
#include <Foundation/ProcessIdentity.h>

#include <benchmark/benchmark.h>

#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>

namespace {

namespace fs = std::filesystem;
const char* const kDomain = "com.tavq.vantorelprefs";

// A device whose Messages container holds a realistic 80-key settings file.
struct BenchDevice {
    BenchDevice() {
        std::string pattern = (fs::temp_directory_path() / "vantorel-bench-XXXXXX").string();
        if (!mkdtemp(pattern.data()))
            std::abort();
        root = pattern;
        setenv("SIMDEVICE_ROOT", root.c_str(), 1);
        fs::create_directories(root / "var/mobile/Containers/Data/Application/BENCH/Documents");
        ns::ProcessIdentity::configure("com.apple.MobileSMS",
                                       "/var/mobile/Containers/Data/Application/BENCH");
        ns::PlistDictionary settings;
        for (int i = 0; i < 70; ++i)
            settings["colourKey" + std::to_string(i)] = ns::PlistValue("FF9500FF");
        for (int i = 0; i < 10; ++i)
            settings["switchKey" + std::to_string(i)] = ns::PlistValue(i % 2 == 0);
        settings["primarylabel"] = ns::PlistValue("F2F2F7FF");
        if (!ns::PlistFile::writeDictionary(VRPrefs::shared()->pathForID(kDomain), settings).ok())
            std::abort();
        hostFile = ns::DevicePath::toHost(VRPrefs::shared()->pathForID(kDomain)).value();
    }
    ~BenchDevice() { fs::remove_all(root); }
    fs::path root;
    std::string hostFile;
};

BenchDevice& device() {
    static BenchDevice shared;
    return shared;
}

void BM_ColourForKey(benchmark::State& state) {
    device();
    for (auto _ : state)
        benchmark::DoNotOptimize(VRPrefs::shared()->colourForKey("primarylabel", "000000", kDomain));
}
BENCHMARK(BM_ColourForKey);

void BM_ReadSettingsFile(benchmark::State& state) {
    device();
    for (auto _ : state)
        benchmark::DoNotOptimize(ns::PlistFile::readDictionary(VRPrefs::shared()->pathForID(kDomain)));
}
BENCHMARK(BM_ReadSettingsFile);

void BM_StatSettingsFile(benchmark::State& state) {
    const std::string& path = device().hostFile;
    struct stat info {};
    for (auto _ : state)
        benchmark::DoNotOptimize(::stat(path.c_str(), &info));
}
BENCHMARK(BM_StatSettingsFile);

void BM_ParseHexColour(benchmark::State& state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(VRPrefs::shared()->colorWithHexString("FF9500CC"));
}
BENCHMARK(BM_ParseHexColour);

} // namespace

BENCHMARK_MAIN();
