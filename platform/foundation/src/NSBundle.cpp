#include <Foundation/NSBundle.h>

#include <Foundation/ProcessIdentity.h>

NSBundle* NSBundle::mainBundle() {
    static NSBundle bundle;
    return &bundle;
}

std::optional<std::string> NSBundle::bundleIdentifier() const {
    return ns::ProcessIdentity::bundleIdentifier();
}
