#include "VRPrefs.h"

#include "ProductIdentity.h"

#include <Foundation/NSPathUtilities.h>
#include <dispatch/dispatch.h>

VRPrefs* VRPrefs::shared() {
    static dispatch_once_t once;
    static VRPrefs* instance;
    dispatch_once(&once, [] { instance = new VRPrefs; });
    return instance;
}

std::string VRPrefs::pathForID(const std::string& ID) const {
    std::vector<std::string> folders =
        NSSearchPathForDirectoriesInDomains(NSDocumentDirectory, NSUserDomainMask, YES);
    std::string documents =
        folders.empty() ? std::string() : ns::stringByExpandingTildeInPath(folders.back());
    return documents + "/" + preferenceFileName(ID);
}
