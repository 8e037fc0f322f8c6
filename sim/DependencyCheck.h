#pragma once
#include <map>
#include <optional>
#include <string>

namespace sim {

// Weighs a package's relations (Depends, Pre-Depends, Conflicts, Breaks)
// against what a device has, with apt's parser and dpkg's version order, so
// that an install dpkg would leave half done is refused before it starts.
class DependencyCheck {
  public:
    // Package name -> version, for every package that is (or is about to be) installed.
    using Versions = std::map<std::string, std::string>;

    // The first group of alternatives in `depends` that nothing in `present`
    // satisfies, described ("mobilesubstrate, which is not installed");
    // nothing when all are met.
    static std::optional<std::string> unmetDependency(const std::string& depends, const Versions& present);
    // The first package in `present` that `conflicts` names (at a matching
    // version), described; `self` is never counted.
    static std::optional<std::string> conflict(const std::string& conflicts, const Versions& present,
                                               const std::string& self);
};

} // namespace sim
