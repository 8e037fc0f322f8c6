#include "PackageManager.h"

#include "DebFile.h"
#include "PackageLock.h"
#include "PackageTools.h"
#include "SimError.h"

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <set>

namespace sim {

namespace fs = std::filesystem;

namespace {

std::string readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

std::map<std::string, std::string> states(const PackageDatabase& database) {
    std::map<std::string, std::string> states;
    for (const PackageDatabase::Package& package : database.packages())
        states[package.name] = package.state;
    return states;
}

// Which package owns each path (as "/Library/...") that dpkg has a list of.
std::map<std::string, std::string> owners(const fs::path& admin) {
    std::map<std::string, std::string> owners;
    std::error_code error;
    for (fs::directory_iterator it(admin / "info", error), end; !error && it != end; it.increment(error)) {
        if (it->path().extension() != ".list")
            continue;
        std::string package = it->path().stem().string();
        package = package.substr(0, package.find(':'));
        std::ifstream list(it->path());
        for (std::string line; std::getline(list, line);)
            owners.emplace(line, package);
    }
    return owners;
}

} // namespace

PackageManager::PackageManager(const Device& device, std::chrono::milliseconds patience)
    : m_device(device), m_database(device), m_patience(patience) {}

std::vector<PackageManager::Installed>
PackageManager::install(const std::vector<std::string>& hostFiles) const {
    if (!m_database.exists())
        throw SimError("this device has no package database (run init)");
    PackageLock lock(m_database.adminFolder(), m_patience);

    std::vector<DebFile> debs;
    for (const std::string& file : hostFiles)
        debs.push_back(DebFile::read(file));

    const std::vector<PackageDatabase::Package> known = m_database.packages();
    const DependencyCheck::Versions installed = m_database.installedVersions();
    DependencyCheck::Versions afterwards = installed;
    for (const DebFile& deb : debs)
        afterwards[deb.field("Package")] = deb.field("Version");
    const auto owned = owners(m_database.adminFolder());

    for (const DebFile& deb : debs) {
        const std::string name = deb.field("Package");
        auto refuse = [&](const std::string& why) {
            throw SimError("cannot install " + deb.file() + ": " + why);
        };
        if (std::string escape = deb.escapeFrom(m_device.root().string()); !escape.empty())
            refuse(escape);
        for (const char* field : {"Pre-Depends", "Depends"})
            if (auto unmet = DependencyCheck::unmetDependency(deb.field(field), afterwards))
                refuse(name + " depends on " + *unmet);
        for (const char* field : {"Conflicts", "Breaks"})
            if (auto other = DependencyCheck::conflict(deb.field(field), installed, name))
                refuse(name + (field[0] == 'C' ? " conflicts with " : " breaks ") + *other +
                       ", which is installed");
        const DependencyCheck::Versions incoming{{name, deb.field("Version")}};
        for (const PackageDatabase::Package& other : known) {
            if (other.name == name || other.state != "installed")
                continue;
            if (DependencyCheck::conflict(other.conflicts, incoming, other.name))
                refuse("the installed package " + other.name + " conflicts with " + name);
            if (DependencyCheck::conflict(other.breaks, incoming, other.name))
                refuse("the installed package " + other.name + " breaks " + name);
        }
        for (const DebFile::Entry& entry : deb.entries()) {
            if (entry.type == 'd' || entry.path.empty())
                continue;
            auto owner = owned.find("/" + entry.path);
            if (owner != owned.end() && owner->second != name)
                refuse("its file /" + entry.path + " belongs to the installed package " + owner->second);
        }
    }

    std::vector<std::string> action{"--install"};
    std::vector<std::string> names;
    std::vector<Installed> done;
    for (const DebFile& deb : debs) {
        action.push_back(fs::absolute(deb.file()).string());
        names.push_back(deb.field("Package"));
        done.push_back({deb.field("Package"), deb.field("Version")});
    }
    runDpkg(action, names, "cannot install " + (hostFiles.size() == 1 ? hostFiles.front() : "the packages"));
    return done;
}

void PackageManager::remove(const std::string& name, bool purge) const {
    if (!m_database.exists())
        throw SimError("this device has no package database (run init)");
    PackageLock lock(m_database.adminFolder(), m_patience);
    const auto before = states(m_database);
    if (!before.contains(name))
        throw SimError("cannot remove " + name + ": it is not installed on this device");
    runDpkg({purge ? "--purge" : "--remove", name}, {name}, "cannot remove " + name);
}

void PackageManager::runDpkg(const std::vector<std::string>& action, const std::vector<std::string>& names,
                             const std::string& what) const {
    const fs::path admin = m_database.adminFolder();
    const std::string status = readFile(admin / "status");
    std::set<fs::path> journal;
    std::error_code error;
    for (fs::directory_iterator it(admin / "updates", error), end; !error && it != end; it.increment(error))
        journal.insert(it->path());
    const auto before = states(m_database);

    const std::string root = m_device.root().string();
    // The database and the log as the device resolves them: dpkg would follow
    // a link planted in the device out of it.
    std::vector<std::string> arguments{"--instdir=" + root, "--admindir=" + admin.string(),
                                       "--log=" + m_device.hostPath("/var/log/dpkg.log").string()};
    if (::geteuid() != 0)
        arguments.push_back("--force-not-root"); // the device is the user's own folder
    arguments.insert(arguments.end(), action.begin(), action.end());
    const HostRunner::Captured run = PackageTools::run("dpkg", arguments);
    if (run.status == 0)
        return;

    // dpkg refused before touching a file but may have noted that it tried:
    // put its database back as it was, so the refusal changes nothing.
    const auto after = states(m_database);
    bool untouched = true;
    for (const std::string& name : names) {
        auto was = before.find(name), is = after.find(name);
        untouched = untouched && (was == before.end() ? is == after.end()
                                                      : is != after.end() && is->second == was->second);
    }
    if (untouched) {
        std::vector<fs::path> added;
        for (fs::directory_iterator it(admin / "updates", error), end; !error && it != end;
             it.increment(error))
            if (!journal.contains(it->path()))
                added.push_back(it->path());
        for (const fs::path& entry : added)
            fs::remove(entry, error);
        const fs::path part = admin / "status.vantorel-part";
        {
            std::ofstream out(part, std::ios::binary | std::ios::trunc);
            out << status;
        }
        fs::rename(part, admin / "status", error);
    }
    throw SimError(what + ": " + PackageTools::reason(run.errors));
}

} // namespace sim
