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

class HostFile {
  public:
    // Refuses anything but a regular file, and files larger than maxBytes.
    // Failure kinds: NotFound, Unreadable, NotRegularFile, TooLarge.
    // `status`, when given, receives the status of the file read.
    static Result<std::vector<std::uint8_t>> read(const std::string& hostPath, std::size_t maxBytes,
                                                  struct stat* status = nullptr);
    // Writes a temporary file beside the target, flushes it and renames it over
    // the target. On failure the temporary is removed and the target untouched.
    // Failure kinds: InvalidPath, Unwritable.
    static Result<void> writeAtomically(const std::string& hostPath, std::span<const std::uint8_t> bytes);
};

} // namespace ns
