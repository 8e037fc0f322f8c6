#pragma once
// File operations on device paths. Every failure, including the absence of a
// simulated device, answers NO / nothing, as the device's calls do.
#include <Foundation/FoundationDefines.h>

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

class FOUNDATION_EXPORT NSFileManager {
  public:
    static NSFileManager* defaultManager();

    BOOL fileExistsAtPath(const std::string& path) const;
    // Directories are removed with their contents.
    BOOL removeItemAtPath(const std::string& path) const;
    // Both refuse an existing destination.
    BOOL copyItemAtPath(const std::string& sourcePath, const std::string& destinationPath) const;
    BOOL moveItemAtPath(const std::string& sourcePath, const std::string& destinationPath) const;
    // Puts `replacementPath` in the place of `originalPath` in one step (an
    // existing original is replaced; readers see the old or the new file).
    BOOL replaceItemAtPath(const std::string& originalPath, const std::string& replacementPath) const;
    // Without intermediates the parent must exist and the directory must not.
    BOOL createDirectoryAtPath(const std::string& path, BOOL withIntermediateDirectories) const;
    std::optional<std::vector<std::uint8_t>> contentsAtPath(const std::string& path) const;
    // Replaces any existing file in one step.
    BOOL createFileAtPath(const std::string& path, std::span<const std::uint8_t> contents) const;
    // The names in a directory (not "." or ".."), sorted; nothing when it is
    // not a directory or cannot be read.
    std::optional<std::vector<std::string>> contentsOfDirectoryAtPath(const std::string& path) const;

  private:
    NSFileManager() = default;
};
