#include "DebFile.h"

#include "HostRunner.h"
#include "PackageTools.h"
#include "SimError.h"

#include <archive.h>
#include <archive_entry.h>

#include <filesystem>
#include <memory>
#include <set>
#include <sstream>

namespace sim {

namespace fs = std::filesystem;

namespace {

std::string withoutDotSlash(std::string path) {
    while (path.starts_with("./"))
        path.erase(0, 2);
    while (path.starts_with("/"))
        path.erase(0, 1);
    while (path.size() > 1 && path.ends_with("/"))
        path.pop_back();
    return path == "." ? std::string() : path;
}

bool climbs(const std::string& path) {
    for (const auto& part : fs::path(path))
        if (part == "..")
            return true;
    return false;
}

std::map<std::string, std::string> parseControl(const std::string& text) {
    std::map<std::string, std::string> fields;
    std::istringstream lines(text);
    std::string current;
    for (std::string line; std::getline(lines, line);) {
        if (!line.empty() && (line[0] == ' ' || line[0] == '\t')) {
            if (!current.empty())
                fields[current] += "\n" + line;
            continue;
        }
        const auto colon = line.find(':');
        if (colon == std::string::npos)
            continue;
        current = line.substr(0, colon);
        const auto value = line.find_first_not_of(" \t", colon + 1);
        fields[current] = value == std::string::npos ? std::string() : line.substr(value);
    }
    return fields;
}

std::vector<DebFile::Entry> listTar(const std::string& tar, const std::string& file) {
    std::unique_ptr<archive, int (*)(archive*)> reader(archive_read_new(), &archive_read_free);
    archive_read_support_format_tar(reader.get());
    if (archive_read_open_memory(reader.get(), tar.data(), tar.size()) != ARCHIVE_OK)
        throw SimError("cannot install " + file + ": its data does not read as an archive");
    std::vector<DebFile::Entry> entries;
    archive_entry* header = nullptr;
    int status;
    while ((status = archive_read_next_header(reader.get(), &header)) == ARCHIVE_OK) {
        DebFile::Entry entry;
        const char* name = archive_entry_pathname(header);
        entry.path = withoutDotSlash(name ? name : "");
        if (const char* hard = archive_entry_hardlink(header)) {
            entry.type = 'h';
            entry.linkTarget = hard;
        } else if (archive_entry_filetype(header) == AE_IFLNK) {
            entry.type = 'l';
            const char* target = archive_entry_symlink(header);
            entry.linkTarget = target ? target : "";
        } else if (archive_entry_filetype(header) == AE_IFDIR) {
            entry.type = 'd';
        } else if (archive_entry_filetype(header) != AE_IFREG) {
            entry.type = 'o';
        }
        entries.push_back(std::move(entry));
    }
    if (status != ARCHIVE_EOF)
        throw SimError("cannot install " + file + ": its data is damaged (" +
                       archive_error_string(reader.get()) + ")");
    return entries;
}

} // namespace

DebFile DebFile::read(const std::string& hostFile) {
    std::error_code error;
    if (!fs::is_regular_file(hostFile, error))
        throw SimError("cannot install " + hostFile + ": " +
                       (fs::exists(hostFile, error) ? "it is not a file" : "no such file"));
    DebFile deb;
    deb.m_file = hostFile;
    const HostRunner::Captured control = PackageTools::run("dpkg-deb", {"--field", hostFile});
    if (control.status != 0)
        throw SimError("cannot install " + hostFile + ": " + PackageTools::reason(control.errors));
    deb.m_fields = parseControl(control.output);
    if (deb.field("Package").empty() || deb.field("Version").empty())
        throw SimError("cannot install " + hostFile + ": its control file names no package or no version");
    // The whole data archive, so that a damaged end shows now rather than half way through dpkg.
    const HostRunner::Captured data = PackageTools::run("dpkg-deb", {"--fsys-tarfile", hostFile});
    if (data.status != 0)
        throw SimError("cannot install " + hostFile + ": it is damaged or cut short (" +
                       PackageTools::reason(data.errors, true) + ")");
    deb.m_entries = listTar(data.output, hostFile);
    return deb;
}

std::string DebFile::field(const std::string& name) const {
    auto found = m_fields.find(name);
    return found == m_fields.end() ? std::string() : found->second;
}

std::string DebFile::escapeFrom(const std::string& root) const {
    // dpkg follows links on this machine, not inside the device: a path that
    // climbs, or one that passes through a link (the package's own or one in
    // the device), could land anywhere.
    std::set<std::string> packageLinks;
    for (const Entry& entry : m_entries)
        if (entry.type == 'l')
            packageLinks.insert(entry.path);
    for (const Entry& entry : m_entries) {
        if (climbs(entry.path))
            return "its file ./" + entry.path + " would land outside the device";
        if (entry.type == 'h' && climbs(withoutDotSlash(entry.linkTarget)))
            return "its hard link ./" + entry.path + " points outside the device";
        if (entry.path.empty())
            continue;
        fs::path walked;
        for (const auto& part : fs::path(entry.path).parent_path()) {
            walked /= part;
            std::error_code error;
            if (packageLinks.contains(walked.string()) || fs::is_symlink(fs::path(root) / walked, error))
                return "its file ./" + entry.path + " would be written through the link /" + walked.string();
        }
    }
    return {};
}

} // namespace sim
