#include "PackageDatabase.h"

#include "PackageLock.h"
#include "PackageTools.h"
#include "SimError.h"

#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

namespace sim {

namespace fs = std::filesystem;

namespace {

// The packages of the device itself, which the product depends on, with the
// folders and files each owns: the folders the product shares with them stay
// when it goes.
struct DevicePackage {
    const char* name;
    const char* version;
    const char* description;
    std::vector<const char*> folders;
    std::vector<const char*> files;
};
const DevicePackage kDevicePackages[] = {
    {"firmware",
     "16.0",
     "the device's firmware",
     {"/.", "/Library", "/Library/PreferenceBundles", "/usr", "/usr/bin", "/var"},
     {}},
    {"mobilesubstrate",
     "0.9.7000",
     "the substrate: method hooks and the tweak loader with its filters",
     {"/Library", "/Library/MobileSubstrate", "/Library/MobileSubstrate/DynamicLibraries"},
     {}},
    {"preferenceloader",
     "2.2.6",
     "the settings loader: panes of other packages in Settings",
     {"/Library", "/Library/PreferenceLoader", "/Library/PreferenceLoader/Preferences"},
     {}},
    {"killall", "1.0", "killall, which a respring runs", {"/usr", "/usr/bin"}, {"/usr/bin/killall"}},
};

std::string stanza(const DevicePackage& package, const std::string& architecture) {
    return std::string("Package: ") + package.name +
           "\nStatus: install ok installed\nPriority: required\nSection: System\n"
           "Maintainer: The device <device@localhost>\nArchitecture: " +
           architecture + "\nVersion: " + package.version + "\nDescription: " + package.description + "\n\n";
}

} // namespace

PackageDatabase::PackageDatabase(const Device& device) : m_device(device) {}

std::string PackageDatabase::adminFolder() const {
    return m_device.hostPath("/var/lib/dpkg").string();
}

bool PackageDatabase::exists() const {
    std::error_code error;
    return fs::is_regular_file(fs::path(adminFolder()) / "status", error);
}

void PackageDatabase::layOut() const {
    const fs::path admin = adminFolder();
    std::error_code error;
    for (const char* folder : {"info", "updates", "triggers"}) {
        fs::create_directories(admin / folder, error);
        if (error)
            throw SimError("cannot create " + (admin / folder).string() + ": " + error.message());
    }
    for (const char* file : {"status", "available"})
        if (!fs::exists(admin / file, error))
            std::ofstream(admin / file, std::ios::app);
    // The device's packages bring their folders.
    for (const DevicePackage& package : kDevicePackages)
        for (const char* folder : package.folders) {
            fs::create_directories(m_device.hostPath(folder), error);
            if (error)
                throw SimError("cannot create " + m_device.hostPath(folder).string() + ": " +
                               error.message());
        }
    // Records are added only while no dpkg writes the file.
    PackageLock lock(admin.string(), std::chrono::seconds(60));

    std::string missing;
    std::string architecture;
    const auto known = packages();
    for (const DevicePackage& package : kDevicePackages) {
        bool present = false;
        for (const Package& have : known)
            present = present || have.name == package.name;
        if (present)
            continue;
        if (architecture.empty())
            architecture = PackageTools::architecture();
        missing += stanza(package, architecture);
        std::ofstream list(admin / "info" / (std::string(package.name) + ".list"), std::ios::trunc);
        for (const char* path : package.folders)
            list << path << '\n';
        for (const char* path : package.files)
            list << path << '\n';
    }
    if (missing.empty())
        return;
    // Records appended to the file dpkg keeps: it orders them itself on its next write.
    std::ofstream status(admin / "status", std::ios::app);
    status << missing;
    status.flush();
    if (!status)
        throw SimError("cannot write the device's package database " + (admin / "status").string());
}

std::vector<PackageDatabase::Package> PackageDatabase::packages() const {
    const HostRunner::Captured listed = PackageTools::run(
        "dpkg-query",
        {"--admindir=" + adminFolder(), "--show",
         "--showformat=${Package}\\t${Version}\\t${db:Status-Status}\\t${Conflicts}\\t${Breaks}\\n"});
    // dpkg-query answers 1 for an empty database; its stderr then says so.
    if (listed.status != 0 && !listed.output.empty())
        throw SimError("cannot read the device's packages: " + PackageTools::reason(listed.errors));
    std::vector<Package> packages;
    std::istringstream lines(listed.output);
    for (std::string line; std::getline(lines, line);) {
        std::vector<std::string> fields;
        std::istringstream parts(line);
        for (std::string part; std::getline(parts, part, '\t');)
            fields.push_back(part);
        fields.resize(5);
        if (fields[0].empty() || fields[2] == "not-installed")
            continue;
        packages.push_back({fields[0], fields[1], fields[2], fields[3], fields[4]});
    }
    return packages;
}

DependencyCheck::Versions PackageDatabase::installedVersions() const {
    DependencyCheck::Versions versions;
    for (const Package& package : packages())
        if (package.state == "installed")
            versions[package.name] = package.version;
    return versions;
}

} // namespace sim
