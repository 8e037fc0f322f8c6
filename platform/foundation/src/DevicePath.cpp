#include <Foundation/DevicePath.h>

#include <climits>
#include <cstdlib>
#include <deque>
#include <fcntl.h>
#include <linux/openat2.h>
#include <string_view>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>
#include <vector>

namespace ns {

namespace {

// Lexical: "." and empty components vanish, ".." removes the one before.
// Answers nothing when ".." would climb above the top.
std::optional<std::vector<std::string_view>> components(std::string_view path) {
    std::vector<std::string_view> parts;
    while (!path.empty()) {
        const std::size_t slash = path.find('/');
        const std::string_view part = path.substr(0, slash);
        path = slash == std::string_view::npos ? std::string_view() : path.substr(slash + 1);
        if (part.empty() || part == ".")
            continue;
        if (part == "..") {
            if (parts.empty())
                return std::nullopt;
            parts.pop_back();
            continue;
        }
        parts.push_back(part);
    }
    return parts;
}

constexpr int kMaxLinks = 40;

std::string joined(const std::string& root, const std::vector<std::string>& parts) {
    std::string host = root;
    for (const std::string& part : parts)
        (host += '/') += part;
    return host;
}

void pushFront(std::deque<std::string>& pending, std::string_view path) {
    std::vector<std::string> parts;
    while (!path.empty()) {
        const std::size_t slash = path.find('/');
        parts.emplace_back(path.substr(0, slash));
        path = slash == std::string_view::npos ? std::string_view() : path.substr(slash + 1);
    }
    pending.insert(pending.begin(), parts.begin(), parts.end());
}

// One component at a time without following anything: a symbolic link is read
// and its target resolved again from the device root (absolute) or from its
// folder (relative), ".." stops at the root. Components that do not exist are
// taken as they are: nothing there can lead elsewhere yet.
Result<std::string> resolveComponentwise(const std::string& root, std::string_view inside) {
    std::vector<std::string> resolved;
    std::deque<std::string> pending;
    pushFront(pending, inside);
    int links = 0;
    bool missing = false;
    while (!pending.empty()) {
        std::string part = std::move(pending.front());
        pending.pop_front();
        if (part.empty() || part == ".")
            continue;
        if (part == "..") {
            if (!resolved.empty())
                resolved.pop_back();
            continue;
        }
        resolved.push_back(std::move(part));
        if (missing)
            continue;
        const std::string host = joined(root, resolved);
        struct stat info {};
        if (::lstat(host.c_str(), &info) != 0) {
            missing = true;
            continue;
        }
        if (!S_ISLNK(info.st_mode))
            continue;
        if (++links > kMaxLinks)
            return Failure{FailureKind::InvalidPath, "", "too many symbolic links on a device path"};
        std::string target(PATH_MAX, '\0');
        const ssize_t length = ::readlink(host.c_str(), target.data(), target.size());
        if (length < 0 || static_cast<std::size_t>(length) >= target.size())
            return Failure{FailureKind::InvalidPath, host, "cannot read the symbolic link"};
        target.resize(static_cast<std::size_t>(length));
        resolved.pop_back();
        if (target.starts_with('/'))
            resolved.clear();
        pushFront(pending, target);
    }
    return joined(root, resolved);
}

// The kernel's resolution inside the root, where it has openat2: answers
// nothing when it cannot say (no openat2, a component missing).
std::optional<std::string> resolveInRoot(const std::string& root, const std::string& inside) {
#ifdef SYS_openat2
    const int rootFd = ::open(root.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
    if (rootFd < 0)
        return std::nullopt;
    open_how how{};
    how.flags = O_PATH | O_CLOEXEC;
    how.resolve = RESOLVE_IN_ROOT | RESOLVE_NO_MAGICLINKS;
    const std::string relative = inside.empty() ? "." : inside;
    const int fd = static_cast<int>(::syscall(SYS_openat2, rootFd, relative.c_str(), &how, sizeof how));
    ::close(rootFd);
    if (fd < 0)
        return std::nullopt;
    std::string resolved(PATH_MAX, '\0');
    const std::string self = "/proc/self/fd/" + std::to_string(fd);
    const ssize_t length = ::readlink(self.c_str(), resolved.data(), resolved.size());
    ::close(fd);
    if (length <= 0 || static_cast<std::size_t>(length) >= resolved.size())
        return std::nullopt;
    resolved.resize(static_cast<std::size_t>(length));
    // The root itself may sit behind links on the host; what matters is that
    // the answer lies in it.
    if (resolved != root && !resolved.starts_with(root + "/"))
        return std::nullopt;
    return resolved;
#else
    (void)root;
    (void)inside;
    return std::nullopt;
#endif
}

} // namespace

std::optional<std::string> DevicePath::root() {
    const char* value = std::getenv(kRootVariable);
    if (!value || !*value)
        return std::nullopt;
    return std::string(value);
}

namespace {

// The device root opened once per thread and root; reopened when the root
// was replaced since (a lookup through it then fails).
struct RootDescriptor {
    std::string root;
    int fd = -1;

    int get(const std::string& wanted, bool reopen) {
        if (fd >= 0 && (reopen || root != wanted)) {
            ::close(fd);
            fd = -1;
        }
        if (fd < 0) {
            fd = ::open(wanted.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
            root = wanted;
        }
        return fd;
    }
    ~RootDescriptor() {
        if (fd >= 0)
            ::close(fd);
    }
};

// The device root and an absolute device path's part below it ("." for the
// root itself), or why a lookup from the root cannot start.
Result<std::pair<std::string, std::string>> fromRoot(const std::string& devicePath) {
    const auto base = DevicePath::root();
    if (!base || base->empty())
        return Failure{FailureKind::NoDevice, "",
                       std::string("no simulated device: ") + DevicePath::kRootVariable + " is not set"};
    if (devicePath.empty() || devicePath.front() != '/' || devicePath.find('\0') != std::string::npos)
        return Failure{FailureKind::InvalidPath, devicePath, "not an absolute device path"};
    return std::pair{*base, devicePath.size() > 1 ? devicePath.substr(1) : std::string(".")};
}

} // namespace

Result<struct stat> DevicePath::statInDevice(const std::string& devicePath) {
    const auto [base, relative] = TRY(fromRoot(devicePath));
#ifdef SYS_openat2
    thread_local RootDescriptor rootDescriptor;
    for (bool reopen : {false, true}) {
        const int rootFd = rootDescriptor.get(base, reopen);
        if (rootFd < 0)
            return Failure{FailureKind::NoDevice, base, "the device root cannot be opened"};
        open_how how{};
        how.flags = O_PATH | O_CLOEXEC;
        how.resolve = RESOLVE_IN_ROOT | RESOLVE_NO_MAGICLINKS;
        const int fd = static_cast<int>(::syscall(SYS_openat2, rootFd, relative.c_str(), &how, sizeof how));
        if (fd < 0 && errno == ENOSYS)
            break;
        if (fd < 0 && errno == ENOENT && !reopen)
            continue; // perhaps the root itself was replaced
        if (fd < 0)
            return Failure{errno == ENOENT || errno == ENOTDIR ? FailureKind::NotFound
                                                               : FailureKind::InvalidPath,
                           devicePath, "cannot be resolved in the device"};
        struct stat info {};
        const int status = ::fstat(fd, &info);
        ::close(fd);
        if (status != 0)
            return Failure{FailureKind::NotFound, devicePath, "cannot be inspected"};
        return info;
    }
#endif
    return Failure{FailureKind::OutsideDevice, devicePath, "the kernel cannot resolve inside the device"};
}

Result<struct stat> DevicePath::statByHostLookup(const std::string& devicePath) {
    const auto [base, relative] = TRY(fromRoot(devicePath));
    thread_local RootDescriptor rootDescriptor;
    for (bool reopen : {false, true}) {
        const int rootFd = rootDescriptor.get(base, reopen);
        if (rootFd < 0)
            return Failure{FailureKind::NoDevice, base, "the device root cannot be opened"};
        struct stat info {};
        if (::fstatat(rootFd, relative.c_str(), &info, 0) == 0)
            return info;
        if (errno == ENOENT && !reopen)
            continue; // perhaps the root itself was replaced
        return Failure{errno == ENOENT || errno == ENOTDIR ? FailureKind::NotFound : FailureKind::InvalidPath,
                       devicePath, "cannot be inspected"};
    }
    return Failure{FailureKind::NotFound, devicePath, "cannot be inspected"};
}

Result<std::string> DevicePath::toHost(const std::string& devicePath, FinalLink finalLink) {
    const auto base = root();
    if (!base)
        return Failure{FailureKind::NoDevice, "",
                       std::string("no simulated device: ") + kRootVariable + " is not set"};
    return toHostIn(*base, devicePath, finalLink);
}

Result<std::string> DevicePath::toHostIn(const std::string& root, const std::string& devicePath,
                                         FinalLink finalLink) {
    const std::optional<std::string> base = root;
    if (root.empty())
        return Failure{FailureKind::NoDevice, "", "the device root is empty"};
    const auto baseParts = components(*base);
    // A root of "/" would put device paths on the build machine itself.
    if (base->front() != '/' || !baseParts || baseParts->empty())
        return Failure{FailureKind::NoDevice, "",
                       std::string(kRootVariable) + " must name a directory below /, not \"" + *base + "\""};
    if (devicePath.empty() || devicePath.front() != '/')
        return Failure{FailureKind::InvalidPath, devicePath, "not an absolute device path"};
    if (devicePath.find('\0') != std::string::npos)
        return Failure{FailureKind::InvalidPath, "", "device path holds a NUL character"};
    auto parts = components(devicePath);
    if (!parts)
        return Failure{FailureKind::OutsideDevice, devicePath, "device path leaves the device"};

    std::string host;
    host.reserve(base->size() + devicePath.size() + 1);
    for (const std::string_view part : *baseParts)
        (host += '/') += part;
    // A file about to be replaced keeps its own name: a link there is replaced
    // by the rename, not followed.
    std::string last;
    if (finalLink == FinalLink::Replace && !parts->empty()) {
        last = parts->back();
        parts->pop_back();
    }
    // Resolved from the root's real location, so the answer can be checked to lie in it.
    char real[PATH_MAX];
    if (::realpath(host.c_str(), real))
        host = real;
    auto resolve = [&](const std::vector<std::string_view>& steps) -> Result<std::string> {
        std::string inside;
        for (const std::string_view part : steps)
            (inside += inside.empty() ? "" : "/") += part;
        if (auto resolved = resolveInRoot(host, inside))
            return *resolved;
        return resolveComponentwise(host, inside);
    };
    if (finalLink == FinalLink::Follow && !parts->empty()) {
        // The folder is resolved and the file's own name kept, unless that
        // name is a link: a file replaced while it is resolved must not come
        // back under the name the kernel gives a deleted file.
        const std::string_view name = parts->back();
        std::vector<std::string_view> folder(parts->begin(), parts->end() - 1);
        const std::string inFolder = TRY(resolve(folder)) + "/" + std::string(name);
        struct stat info {};
        if (::lstat(inFolder.c_str(), &info) != 0 || !S_ISLNK(info.st_mode))
            return inFolder;
    }
    const std::string resolved = TRY(resolve(*parts));
    return last.empty() ? resolved : resolved + "/" + last;
}

} // namespace ns
