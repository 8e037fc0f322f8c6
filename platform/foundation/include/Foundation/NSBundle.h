#pragma once
#include <Foundation/FoundationDefines.h>

#include <optional>
#include <string>

class FOUNDATION_EXPORT NSBundle {
  public:
    static NSBundle* mainBundle();
    // Nothing when the host program did not give the process an identity.
    std::optional<std::string> bundleIdentifier() const;

  private:
    NSBundle() = default;
};
