#pragma once
// Whole-file reads and one-step replacement of files on host paths.
#include <Foundation/Result.h>

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include <sys/stat.h>

namespace ns {

// Every step works from a descriptor of the file's folder, opened once, down to
// the file (openat, renameat, linkat), so a link planted on the way after the
// path was checked is not followed by a later step.
class HostFile {
  public:
    // Device paths come resolved, free of links: a link found on one then was
    // planted since, and is refused (InvalidPath). Paths a user names may hold links.
    enum class Links { follow, refuse };

    // Refuses anything but a regular file, and files larger than maxBytes.
    // Failure kinds: NotFound, Unreadable, NotRegularFile, TooLarge, InvalidPath.
    // `status`, when given, receives the status of the file read.
    static Result<std::vector<std::uint8_t>> read(const std::string& hostPath, std::size_t maxBytes,
                                                  struct stat* status = nullptr, Links links = Links::follow);
    // Writes a temporary file beside the target, flushes it and renames it over
    // the target. On failure the temporary is removed and the target untouched.
    // Failure kinds: InvalidPath, Unwritable.
    static Result<void> writeAtomically(const std::string& hostPath, std::span<const std::uint8_t> bytes,
                                        Links links = Links::follow);
    // A second name for the file in its own folder (a hard link). Unwritable, InvalidPath.
    static Result<void> linkBeside(const std::string& hostPath, const std::string& newName,
                                   Links links = Links::follow);
    // Removes another entry of the file's folder; a failure is not reported.
    static void removeBeside(const std::string& hostPath, const std::string& name,
                             Links links = Links::follow);
};

} // namespace ns
