#pragma once
#include <objc/NSObject.h>

#include <optional>
#include <string>
#include <vector>

#define MOBILECORESERVICES_EXTERN __attribute__((visibility("default")))

// One installed application as the registry describes it. The data container
// is a file URL of a directory ("file:///var/.../UUID/"), or nothing.
#define LSAPPLICATIONPROXY_PROPERTIES(P)                                                                     \
    P(std::optional<std::string>, bundleIdentifier, setBundleIdentifier, {})                                 \
    P(std::optional<std::string>, dataContainerURL, setDataContainerURL, {})

class MOBILECORESERVICES_EXTERN LSApplicationProxy : public NSObject {
    RT_OBJECT(LSApplicationProxy, NSObject)
    RT_PROPERTIES(LSAPPLICATIONPROXY_PROPERTIES)
};

using LSApplicationProxies = std::vector<rt::Ref<LSApplicationProxy>>;
