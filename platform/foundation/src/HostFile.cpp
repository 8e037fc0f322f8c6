#include "HostFile.h"

#include <cerrno>
#include <fcntl.h>
#include <linux/openat2.h>
#include <random>
#include <stdlib.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <system_error>
#include <unistd.h>

namespace ns {

namespace {

std::string systemError(int code) {
    return std::generic_category().message(code);
}

// Closes on every path out, including early returns.
class FileDescriptor {
  public:
    explicit FileDescriptor(int fd) : m_fd(fd) {}
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    ~FileDescriptor() {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    int get() const { return m_fd; }
    // Closing can report a late write error, so it is checked when it matters.
    int close() {
        const int result = ::close(m_fd);
        m_fd = -1;
        return result;
    }

  private:
    int m_fd;
};

struct Place {
    std::string directory;
    std::string name;
};

Place placeOf(const std::string& hostPath) {
    const std::size_t slash = hostPath.rfind('/');
    return {slash == std::string::npos ? "." : (slash == 0 ? "/" : hostPath.substr(0, slash)),
            hostPath.substr(slash == std::string::npos ? 0 : slash + 1)};
}

// The folder, opened once. Refusing links, the kernel checks every component
// of the path in the same lookup that opens it.
Result<int> openFolder(const std::string& directory, const std::string& hostPath, HostFile::Links links) {
    int fd = -1;
#ifdef SYS_openat2
    if (links == HostFile::Links::refuse) {
        open_how how{};
        how.flags = O_PATH | O_DIRECTORY | O_CLOEXEC;
        how.resolve = RESOLVE_NO_SYMLINKS | RESOLVE_NO_MAGICLINKS;
        fd = static_cast<int>(::syscall(SYS_openat2, AT_FDCWD, directory.c_str(), &how, sizeof how));
        if (fd < 0 && errno == ELOOP)
            return Failure{FailureKind::InvalidPath, hostPath,
                           "a symbolic link appeared on the way to the file"};
        if (fd < 0 && errno != ENOSYS)
            return Failure{errno == ENOENT || errno == ENOTDIR ? FailureKind::NotFound
                                                               : FailureKind::Unreadable,
                           hostPath, "cannot open its folder: " + systemError(errno)};
    }
#endif
    if (fd < 0)
        fd = ::open(directory.c_str(),
                    O_PATH | O_DIRECTORY | O_CLOEXEC | (links == HostFile::Links::refuse ? O_NOFOLLOW : 0));
    if (fd < 0)
        return Failure{errno == ENOENT || errno == ENOTDIR ? FailureKind::NotFound : FailureKind::Unreadable,
                       hostPath, "cannot open its folder: " + systemError(errno)};
    return fd;
}

int noFollow(HostFile::Links links) {
    return links == HostFile::Links::refuse ? O_NOFOLLOW : 0;
}

} // namespace

Result<std::vector<std::uint8_t>> HostFile::read(const std::string& hostPath, std::size_t maxBytes,
                                                 struct stat* status, Links links) {
    const Place place = placeOf(hostPath);
    const FileDescriptor folder(TRY(openFolder(place.directory, hostPath, links)));
    // Non-blocking, so that a FIFO (or a device) in a file's place is refused
    // below instead of stalling the reader for ever; regular files ignore it.
    FileDescriptor file(::openat(folder.get(), place.name.empty() ? "." : place.name.c_str(),
                                 O_RDONLY | O_CLOEXEC | O_NONBLOCK | noFollow(links)));
    if (file.get() < 0) {
        const int code = errno;
        if (code == ELOOP && links == Links::refuse)
            return Failure{FailureKind::InvalidPath, hostPath,
                           "a symbolic link appeared in the file's place"};
        return Failure{code == ENOENT || code == ENOTDIR ? FailureKind::NotFound : FailureKind::Unreadable,
                       hostPath, "cannot open: " + systemError(code)};
    }
    struct stat info {};
    if (::fstat(file.get(), &info) != 0)
        return Failure{FailureKind::Unreadable, hostPath, "cannot inspect: " + systemError(errno)};
    if (!S_ISREG(info.st_mode))
        return Failure{FailureKind::NotRegularFile, hostPath, "not a regular file"};

    if (static_cast<std::uint64_t>(info.st_size) > maxBytes)
        return Failure{FailureKind::TooLarge, hostPath, "larger than " + std::to_string(maxBytes) + " bytes"};
    if (status)
        *status = info;

    // Sized from the file: one read of st_size + 1 bytes comes back short,
    // which for a regular file means its end, so no second call is needed. The
    // size is only a hint (the file may grow while it is read): a buffer that
    // fills up grows and reading goes on.
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(info.st_size) + 1);
    std::size_t used = 0;
    for (;;) {
        const std::size_t wanted = bytes.size() - used;
        const ssize_t count = ::read(file.get(), bytes.data() + used, wanted);
        if (count < 0 && errno == EINTR)
            continue;
        if (count < 0)
            return Failure{FailureKind::Unreadable, hostPath, "cannot read: " + systemError(errno)};
        used += static_cast<std::size_t>(count);
        if (used > maxBytes)
            return Failure{FailureKind::TooLarge, hostPath,
                           "larger than " + std::to_string(maxBytes) + " bytes"};
        if (static_cast<std::size_t>(count) < wanted) {
            bytes.resize(used);
            return bytes;
        }
        bytes.resize(bytes.size() * 2);
    }
}

Result<void> HostFile::writeAtomically(const std::string& hostPath, std::span<const std::uint8_t> bytes,
                                       Links links) {
    const Place place = placeOf(hostPath);
    if (place.name.empty())
        return Failure{FailureKind::InvalidPath, hostPath, "names no file"};
    auto opened = openFolder(place.directory, hostPath, links);
    if (!opened.ok())
        return Failure{opened.failure().kind == FailureKind::InvalidPath ? FailureKind::InvalidPath
                                                                         : FailureKind::Unwritable,
                       hostPath, opened.failure().detail};
    const FileDescriptor folder(opened.value());

    // Same folder as the target, so the final rename stays on one file system.
    // The writer's process id in the name lets a later writer remove it if
    // this process dies before the rename.
    thread_local std::mt19937 random{std::random_device{}()};
    static constexpr char kLetters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    std::string temporary;
    int created = -1;
    for (int attempt = 0; attempt < 100 && created < 0; ++attempt) {
        temporary = "." + place.name + "." + std::to_string(::getpid()) + ".";
        for (int i = 0; i < 6; ++i)
            temporary += kLetters[random() % (sizeof kLetters - 1)];
        // Private until written, as mkstemp makes it.
        const int fd = ::openat(folder.get(), temporary.c_str(),
                                O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0600);
        if (fd < 0 && errno != EEXIST)
            return Failure{FailureKind::Unwritable, hostPath,
                           "cannot create a temporary file beside it: " + systemError(errno)};
        created = fd;
    }
    FileDescriptor file(created);
    if (file.get() < 0)
        return Failure{FailureKind::Unwritable, hostPath, "cannot create a temporary file beside it"};

    auto abandon = [&](const std::string& what) -> Result<void> {
        const int code = errno;
        ::unlinkat(folder.get(), temporary.c_str(), 0);
        return Failure{FailureKind::Unwritable, hostPath, what + ": " + systemError(code)};
    };

    std::size_t written = 0;
    while (written < bytes.size()) {
        const ssize_t count = ::write(file.get(), bytes.data() + written, bytes.size() - written);
        if (count < 0 && errno == EINTR)
            continue;
        if (count < 0)
            return abandon("cannot write");
        written += static_cast<std::size_t>(count);
    }
    // Preference files are readable by every process of the device.
    if (::fchmod(file.get(), 0644) != 0)
        return abandon("cannot set the mode");
    if (::fsync(file.get()) != 0)
        return abandon("cannot flush");
    if (file.close() != 0)
        return abandon("cannot close");
    // A new file takes the name, so a file with other names (hard links) is
    // replaced here, never written through.
    if (::renameat(folder.get(), temporary.c_str(), folder.get(), place.name.c_str()) != 0)
        return abandon("cannot replace");

    // Makes the rename itself durable; the replacement has already happened, so
    // a failure here is not reported.
    const FileDescriptor parent(::openat(folder.get(), ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (parent.get() >= 0)
        ::fsync(parent.get());
    return {};
}

Result<void> HostFile::linkBeside(const std::string& hostPath, const std::string& newName, Links links) {
    const Place place = placeOf(hostPath);
    auto opened = openFolder(place.directory, hostPath, links);
    if (!opened.ok())
        return Failure{FailureKind::Unwritable, hostPath, opened.failure().detail};
    const FileDescriptor folder(opened.value());
    if (::linkat(folder.get(), place.name.c_str(), folder.get(), newName.c_str(), 0) != 0)
        return Failure{FailureKind::Unwritable, hostPath, systemError(errno)};
    return {};
}

void HostFile::removeBeside(const std::string& hostPath, const std::string& name, Links links) {
    const Place place = placeOf(hostPath);
    auto opened = openFolder(place.directory, hostPath, links);
    if (!opened.ok())
        return;
    const FileDescriptor folder(opened.value());
    ::unlinkat(folder.get(), name.c_str(), 0);
}

} // namespace ns
