#include "VantorelStartup.h"

#include "Hook.h"
#include "HookTable.h"
#include "PreferenceKeys.h"
#include "SpringBoardLaunchHook.h"
#include "VRPrefs.h"

#include <Foundation/NSBundle.h>
#include <dispatch/dispatch.h>

namespace {
const char* const kMessagesIdentifier = "com.apple.MobileSMS";
}

void VantorelStartup::springBoardInitialiser() {
    static dispatch_once_t once;
    dispatch_once(&once, [] {
        Hook<&SpringBoardLaunchHook::applicationDidFinishLaunching>::install(
            objc_getClass("SpringBoard"), sel_registerName("applicationDidFinishLaunching:"));
    });
}

void VantorelStartup::mainInitialiser() {
    static dispatch_once_t once;
    dispatch_once(&once, [] {
        std::optional<std::string> identifier = NSBundle::mainBundle()->bundleIdentifier();
        if (!identifier || *identifier != kMessagesIdentifier)
            return;
        if (!VRPrefs::shared()->boolForKey("enableVantorel", YES, kPreferenceDomain))
            return;
        installHooks(hookTable());
    });
}
