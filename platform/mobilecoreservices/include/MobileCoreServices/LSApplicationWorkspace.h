#pragma once
#include <MobileCoreServices/LSApplicationProxy.h>

// The private application registry, reached through the runtime; type 1
// lists the system applications, Messages among them. The registry is read
// on every call: installs and moves show at once.
#define LSAPPLICATIONWORKSPACE_METHODS(M, O, C)                                                              \
    C(rt::Ref<LSApplicationWorkspace>, defaultWorkspace, "defaultWorkspace", ())                             \
    M(LSApplicationProxies, applicationsOfType, "applicationsOfType:", (unsigned long))

class MOBILECORESERVICES_EXTERN LSApplicationWorkspace : public NSObject {
    RT_OBJECT(LSApplicationWorkspace, NSObject)
    RT_METHODS(LSAPPLICATIONWORKSPACE_METHODS)
};
