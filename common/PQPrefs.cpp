#include "PQPrefs.h"

#include "ProductIdentity.h"

#include <dispatch/dispatch.h>

PQPrefs* PQPrefs::shared() {
    static dispatch_once_t once;
    static PQPrefs* instance;
    dispatch_once(&once, [] { instance = new PQPrefs; });
    return instance;
}

std::string PQPrefs::pathForID(const std::string& ID) const {
    return kPreferencesFolder + preferenceFileName(ID);
}
