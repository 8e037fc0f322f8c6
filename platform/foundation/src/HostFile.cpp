#include "HostFile.h"

#include <cerrno>
#include <fcntl.h>
#include <stdlib.h>
#include <sys/stat.h>
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

} // namespace

Result<std::vector<std::uint8_t>> HostFile::read(const std::string& hostPath, std::size_t maxBytes,
                                                 struct stat* status) {
    // Non-blocking, so that a FIFO (or a device) in a file's place is refused
    // below instead of stalling the reader for ever; regular files ignore it.
    FileDescriptor file(::open(hostPath.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    if (file.get() < 0) {
        const int code = errno;
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

Result<void> HostFile::writeAtomically(const std::string& hostPath, std::span<const std::uint8_t> bytes) {
    const std::size_t slash = hostPath.rfind('/');
    const std::string directory =
        slash == std::string::npos ? "." : (slash == 0 ? "/" : hostPath.substr(0, slash));
    const std::string name = hostPath.substr(slash == std::string::npos ? 0 : slash + 1);
    if (name.empty())
        return Failure{FailureKind::InvalidPath, hostPath, "names no file"};

    // Same directory as the target, so the final rename stays on one file system.
    // The writer's process id in the name lets a later writer remove it if
    // this process dies before the rename.
    std::string temporary = directory + "/." + name + "." + std::to_string(::getpid()) + ".XXXXXX";
    FileDescriptor file(::mkostemp(temporary.data(), O_CLOEXEC));
    if (file.get() < 0)
        return Failure{FailureKind::Unwritable, hostPath,
                       "cannot create a temporary file beside it: " + systemError(errno)};

    auto abandon = [&](const std::string& what) -> Result<void> {
        const int code = errno;
        ::unlink(temporary.c_str());
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
    // mkstemp creates the file private to its owner; preference files are readable.
    if (::fchmod(file.get(), 0644) != 0)
        return abandon("cannot set the mode");
    if (::fsync(file.get()) != 0)
        return abandon("cannot flush");
    if (file.close() != 0)
        return abandon("cannot close");
    if (::rename(temporary.c_str(), hostPath.c_str()) != 0)
        return abandon("cannot replace");

    // Makes the rename itself durable; the replacement has already happened, so
    // a failure here is not reported.
    FileDescriptor parent(::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (parent.get() >= 0)
        ::fsync(parent.get());
    return {};
}

} // namespace ns
