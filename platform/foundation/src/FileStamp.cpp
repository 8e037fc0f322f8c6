#include <Foundation/FileStamp.h>

#include <Foundation/DevicePath.h>

#include <sys/stat.h>

namespace ns {

namespace {

FileStamp::Time timeOf(const struct timespec& time) {
    return FileStamp::Time(std::chrono::seconds(time.tv_sec) + std::chrono::nanoseconds(time.tv_nsec));
}

FileStamp::Kind kindOf(mode_t mode) {
    if (S_ISREG(mode))
        return FileStamp::Kind::Regular;
    if (S_ISDIR(mode))
        return FileStamp::Kind::Directory;
    return FileStamp::Kind::Other;
}

FileStamp stampOf(const struct stat& info) {
    FileStamp stamp;
    stamp.kind = kindOf(info.st_mode);
    stamp.device = static_cast<std::uint64_t>(info.st_dev);
    stamp.inode = static_cast<std::uint64_t>(info.st_ino);
    stamp.size = static_cast<std::int64_t>(info.st_size);
    stamp.modified = timeOf(info.st_mtim);
    stamp.changed = timeOf(info.st_ctim);
    return stamp;
}

} // namespace

FileStamp FileStamp::ofStatus(const struct stat& status) {
    return stampOf(status);
}

std::optional<FileStamp> FileStamp::ofItemFoundByHost(const std::string& devicePath) {
    auto found = DevicePath::statByHostLookup(devicePath);
    return found.ok() ? std::optional<FileStamp>(stampOf(found.value())) : std::nullopt;
}

std::optional<FileStamp> FileStamp::ofItemAtPath(const std::string& devicePath) {
    // One lookup by the kernel inside the device where it can; the path
    // mapped and stat'ed where it cannot.
    struct stat info {};
    if (auto inDevice = DevicePath::statInDevice(devicePath); inDevice.ok()) {
        info = inDevice.value();
    } else {
        if (inDevice.kind() != FailureKind::OutsideDevice)
            return std::nullopt;
        const auto host = DevicePath::toHost(devicePath);
        if (!host || ::stat(host.value().c_str(), &info) != 0)
            return std::nullopt;
    }
    return stampOf(info);
}

} // namespace ns
