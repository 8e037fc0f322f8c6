#include <Foundation/ProcessIdentity.h>

#include <mutex>

namespace ns {

namespace {

struct Identity {
    std::mutex lock;
    std::optional<std::string> bundleIdentifier;
    std::optional<std::string> home;
};

Identity& identity() {
    static Identity shared;
    return shared;
}

} // namespace

void ProcessIdentity::configure(std::optional<std::string> bundleIdentifier,
                                std::optional<std::string> homeDevicePath) {
    Identity& current = identity();
    std::lock_guard guard(current.lock);
    current.bundleIdentifier = std::move(bundleIdentifier);
    current.home = std::move(homeDevicePath);
}

std::optional<std::string> ProcessIdentity::bundleIdentifier() {
    Identity& current = identity();
    std::lock_guard guard(current.lock);
    return current.bundleIdentifier;
}

std::optional<std::string> ProcessIdentity::homeDirectory() {
    Identity& current = identity();
    std::lock_guard guard(current.lock);
    return current.home;
}

} // namespace ns
