#include <Foundation/NSPathUtilities.h>

#include <Foundation/ProcessIdentity.h>

namespace {

constexpr const char* kMobileHome = "/var/mobile";

// Relative to the home directory.
const char* userDirectory(NSSearchPathDirectory directory) {
    switch (directory) {
    case NSLibraryDirectory:
        return "Library";
    case NSDocumentDirectory:
        return "Documents";
    case NSCachesDirectory:
        return "Library/Caches";
    case NSApplicationSupportDirectory:
        return "Library/Application Support";
    }
    return nullptr;
}

} // namespace

std::string NSHomeDirectory() {
    return ns::ProcessIdentity::homeDirectory().value_or(kMobileHome);
}

std::vector<std::string> NSSearchPathForDirectoriesInDomains(NSSearchPathDirectory directory,
                                                             NSSearchPathDomainMask domainMask,
                                                             BOOL expandTilde) {
    const char* relative = userDirectory(directory);
    if (!relative || !(domainMask & NSUserDomainMask))
        return {};
    const std::string path = std::string("~/") + relative;
    return {expandTilde ? ns::stringByExpandingTildeInPath(path) : path};
}

namespace ns {

// GCC 12 at -O2 and above reports a false -Wrestrict inside std::string's
// assignment below (GCC bug 105651); the copies never overlap.
#if defined(__GNUC__) && !defined(__clang__) && __GNUC__ == 12
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wrestrict"
#endif
std::string stringByExpandingTildeInPath(const std::string& path) {
    std::string expanded = path;
    if (path == "~" || path.starts_with("~/")) {
        std::string home = NSHomeDirectory();
        while (!home.empty() && home.back() == '/')
            home.pop_back();
        expanded = home + path.substr(1);
        if (expanded.empty())
            expanded = "/";
    }
    // Paths come back without a trailing slash, as on the device.
    while (expanded.size() > 1 && expanded.back() == '/')
        expanded.pop_back();
    return expanded;
}
#if defined(__GNUC__) && !defined(__clang__) && __GNUC__ == 12
#pragma GCC diagnostic pop
#endif

} // namespace ns
