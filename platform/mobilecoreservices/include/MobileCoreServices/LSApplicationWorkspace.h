#pragma once
#include <MobileCoreServices/LSApplicationProxy.h>

// The private application registry. "defaultWorkspace" (class method) and
// "applicationsOfType:" are reached through the runtime; type 1 lists the
// system applications, Messages among them.
class MOBILECORESERVICES_EXTERN LSApplicationWorkspace : public NSObject {
    RT_OBJECT(LSApplicationWorkspace, NSObject)
};
