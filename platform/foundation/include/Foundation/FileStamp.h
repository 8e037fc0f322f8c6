#pragma once
// Which version of a file a path names, without reading it: the file itself
// (device and inode), its size, and when its content and its entry last
// changed. A replacement or a change alters at least one field, except two
// within one step of the file system's clock; the change time cannot be set
// back by a writer, so a stamp whose change time is older than that step is
// unique to its version.
#include <Foundation/FoundationDefines.h>

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>

struct stat;

namespace ns {

class FOUNDATION_EXPORT FileStamp {
  public:
    enum class Kind { Regular, Directory, Other };
    using Time = std::chrono::sys_time<std::chrono::nanoseconds>;

    // The item a device path names, following symbolic links. Nothing when it
    // does not exist, cannot be inspected or the path does not map.
    static std::optional<FileStamp> ofItemAtPath(const std::string& devicePath);
    // The item the host's own lookup finds there (DevicePath::statByHostLookup):
    // half the cost, for telling whether the item is still the one seen before.
    // Where it differs from ofItemAtPath, the path leads out of the device.
    static std::optional<FileStamp> ofItemFoundByHost(const std::string& devicePath);
    // The stamp of a status already in hand (an open file's).
    static FileStamp ofStatus(const struct stat& status);

    Kind kind = Kind::Other;
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    std::int64_t size = 0;
    Time modified{};
    Time changed{};

    bool operator==(const FileStamp&) const = default;
};

} // namespace ns
