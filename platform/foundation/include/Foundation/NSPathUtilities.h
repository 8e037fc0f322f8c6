#pragma once
// Standard directories of the current process, as device paths.
#include <Foundation/FoundationDefines.h>

#include <string>
#include <vector>

enum NSSearchPathDirectory : NSUInteger {
    NSLibraryDirectory = 5,
    NSDocumentDirectory = 9,
    NSCachesDirectory = 13,
    NSApplicationSupportDirectory = 14,
};

enum NSSearchPathDomainMask : NSUInteger {
    NSUserDomainMask = 1,
    NSLocalDomainMask = 2,
    NSNetworkDomainMask = 4,
    NSSystemDomainMask = 8,
    NSAllDomainsMask = 0x0ffff,
};

constexpr NSSearchPathDomainMask operator|(NSSearchPathDomainMask a, NSSearchPathDomainMask b) {
    return static_cast<NSSearchPathDomainMask>(static_cast<NSUInteger>(a) | static_cast<NSUInteger>(b));
}

// The configured home, or the mobile user's home when none is configured.
FOUNDATION_EXPORT std::string NSHomeDirectory();
// Only the user domain has directories here; other domains add nothing.
FOUNDATION_EXPORT std::vector<std::string>
NSSearchPathForDirectoriesInDomains(NSSearchPathDirectory directory, NSSearchPathDomainMask domainMask,
                                    BOOL expandTilde);

namespace ns {
// "~" and "~/..." become the home directory; other paths are kept.
FOUNDATION_EXPORT std::string stringByExpandingTildeInPath(const std::string& path);
} // namespace ns
