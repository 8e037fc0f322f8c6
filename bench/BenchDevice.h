#pragma once
// The device every benchmark shares: one per process, since the device root
// and the process's identity are process-wide.
#include "ProductIdentity.h"

#include <Foundation/PlistValue.h>

#include <filesystem>
#include <map>
#include <string>

// Messages (com.apple.MobileSMS) whose container holds a realistic 80-key
// settings file and files of 10 to 10,000 keys.
struct BenchDevice {
    BenchDevice();
    ~BenchDevice();
    BenchDevice(const BenchDevice&) = delete;
    BenchDevice& operator=(const BenchDevice&) = delete;

    static void write(const std::string& domain, const ns::PlistDictionary& settings);

    std::filesystem::path root;
    std::map<int, std::string> hostFiles;
};

BenchDevice& benchDevice();

std::string sizedDomain(int keys);
std::string changingDomain(int keys);
ns::PlistDictionary settingsOfSize(int keys, const char* primary);
std::string hostPathOf(const std::string& domain);
