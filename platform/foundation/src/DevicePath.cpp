#include <Foundation/DevicePath.h>

#include <cstdlib>
#include <string_view>
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

} // namespace

std::optional<std::string> DevicePath::root() {
    const char* value = std::getenv(kRootVariable);
    if (!value || !*value)
        return std::nullopt;
    return std::string(value);
}

Result<std::string> DevicePath::toHost(const std::string& devicePath) {
    const auto base = root();
    if (!base)
        return Failure{std::string("no simulated device: ") + kRootVariable + " is not set"};
    const auto baseParts = components(*base);
    // A root of "/" would put device paths on the build machine itself.
    if (base->front() != '/' || !baseParts || baseParts->empty())
        return Failure{std::string(kRootVariable) + " must name a directory below /, not \"" + *base + "\""};
    if (devicePath.empty() || devicePath.front() != '/')
        return Failure{"not an absolute device path: \"" + devicePath + "\""};
    if (devicePath.find('\0') != std::string::npos)
        return Failure{"device path holds a NUL character"};
    const auto parts = components(devicePath);
    if (!parts)
        return Failure{"device path leaves the device: \"" + devicePath + "\""};

    std::string host;
    host.reserve(base->size() + devicePath.size() + 1);
    for (const std::string_view part : *baseParts)
        (host += '/') += part;
    for (const std::string_view part : *parts)
        (host += '/') += part;
    return host;
}

} // namespace ns
