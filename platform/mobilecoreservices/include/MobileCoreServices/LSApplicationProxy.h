#pragma once
#include <objc/NSObject.h>

#include <optional>
#include <string>
#include <vector>

#define MOBILECORESERVICES_EXTERN __attribute__((visibility("default")))

// One installed application as the registry describes it. Its methods
// ("bundleIdentifier", "dataContainerURL") are reached through the runtime.
class MOBILECORESERVICES_EXTERN LSApplicationProxy : public NSObject {
  public:
    static Class classObject();
    explicit LSApplicationProxy(Class cls) : NSObject(cls) {}
    LSApplicationProxy(std::optional<std::string> bundleIdentifier,
                       std::optional<std::string> dataContainerURL);

    std::optional<std::string> m_bundleIdentifier;
    // A file URL of a directory ("file:///var/.../UUID/"), or nothing.
    std::optional<std::string> m_dataContainerURL;
};

using LSApplicationProxies = std::vector<rt::Ref<LSApplicationProxy>>;
