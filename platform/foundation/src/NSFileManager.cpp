#include <Foundation/NSFileManager.h>

#include "HostFile.h"

#include <Foundation/DevicePath.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <limits>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

using FinalLink = ns::DevicePath::FinalLink;

// Calls that replace, move or remove an entry act on a link itself; the others
// follow it (inside the device).
std::optional<std::string> hostPath(const std::string& devicePath, FinalLink finalLink = FinalLink::Follow) {
    auto mapped = ns::DevicePath::toHost(devicePath, finalLink);
    if (!mapped)
        return std::nullopt;
    return std::move(mapped).value();
}

// Present in any form, a dangling symbolic link included.
bool entryExists(const std::string& path) {
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0;
}

} // namespace

NSFileManager* NSFileManager::defaultManager() {
    static NSFileManager manager;
    return &manager;
}

BOOL NSFileManager::fileExistsAtPath(const std::string& path) const {
    const auto host = hostPath(path);
    struct stat info {};
    return host && ::stat(host->c_str(), &info) == 0;
}

BOOL NSFileManager::removeItemAtPath(const std::string& path) const {
    const auto host = hostPath(path, FinalLink::Replace);
    if (!host || !entryExists(*host))
        return NO;
    std::error_code error;
    fs::remove_all(*host, error);
    return !error;
}

BOOL NSFileManager::copyItemAtPath(const std::string& sourcePath, const std::string& destinationPath) const {
    const auto source = hostPath(sourcePath);
    const auto destination = hostPath(destinationPath, FinalLink::Replace);
    if (!source || !destination || !entryExists(*source) || entryExists(*destination))
        return NO;
    std::error_code error;
    if (fs::is_directory(fs::symlink_status(*source, error))) {
        // mkdir refuses an existing destination, so a racing creator is not overwritten.
        if (::mkdir(destination->c_str(), 0755) != 0)
            return NO;
        fs::copy(*source, *destination, fs::copy_options::recursive | fs::copy_options::copy_symlinks, error);
    } else {
        // Without overwrite options the copy fails on an existing destination.
        fs::copy(*source, *destination, fs::copy_options::copy_symlinks, error);
    }
    return !error;
}

BOOL NSFileManager::replaceItemAtPath(const std::string& originalPath,
                                      const std::string& replacementPath) const {
    const auto original = hostPath(originalPath, FinalLink::Replace);
    const auto replacement = hostPath(replacementPath, FinalLink::Replace);
    if (!original || !replacement || !entryExists(*replacement))
        return NO;
    return ::rename(replacement->c_str(), original->c_str()) == 0 ? YES : NO;
}

BOOL NSFileManager::moveItemAtPath(const std::string& sourcePath, const std::string& destinationPath) const {
    const auto source = hostPath(sourcePath, FinalLink::Replace);
    const auto destination = hostPath(destinationPath, FinalLink::Replace);
    if (!source || !destination || !entryExists(*source))
        return NO;
    // RENAME_NOREPLACE keeps "fails if the destination exists" free of races.
    if (::renameat2(AT_FDCWD, source->c_str(), AT_FDCWD, destination->c_str(), RENAME_NOREPLACE) == 0)
        return YES;
    if (errno == EXDEV)
        return copyItemAtPath(sourcePath, destinationPath) && removeItemAtPath(sourcePath);
    if (errno != EINVAL && errno != ENOSYS)
        return NO;
    // File systems without the flag: check, then rename.
    if (entryExists(*destination))
        return NO;
    return ::rename(source->c_str(), destination->c_str()) == 0;
}

BOOL NSFileManager::createDirectoryAtPath(const std::string& path, BOOL withIntermediateDirectories) const {
    const auto host = hostPath(path);
    if (!host)
        return NO;
    if (!withIntermediateDirectories)
        return ::mkdir(host->c_str(), 0755) == 0;
    std::error_code error;
    fs::create_directories(*host, error);
    return !error && fs::is_directory(*host, error);
}

std::optional<std::vector<std::uint8_t>> NSFileManager::contentsAtPath(const std::string& path) const {
    const auto host = hostPath(path);
    if (!host)
        return std::nullopt;
    auto bytes = ns::HostFile::read(*host, std::numeric_limits<std::size_t>::max(), nullptr,
                                    ns::HostFile::Links::refuse);
    if (!bytes)
        return std::nullopt;
    return std::move(bytes).value();
}

BOOL NSFileManager::createFileAtPath(const std::string& path, std::span<const std::uint8_t> contents) const {
    const auto host = hostPath(path, FinalLink::Replace);
    return host && ns::HostFile::writeAtomically(*host, contents, ns::HostFile::Links::refuse).ok();
}

std::optional<std::vector<std::string>>
NSFileManager::contentsOfDirectoryAtPath(const std::string& path) const {
    const auto host = hostPath(path);
    if (!host)
        return std::nullopt;
    std::error_code error;
    std::vector<std::string> names;
    for (fs::directory_iterator it(*host, error), end; !error && it != end; it.increment(error))
        names.push_back(it->path().filename().string());
    if (error)
        return std::nullopt;
    std::sort(names.begin(), names.end());
    return names;
}
