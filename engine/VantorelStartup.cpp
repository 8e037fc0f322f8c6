#include "VantorelStartup.h"

#include "Hook.h"
#include "HookTable.h"
#include "LayoutPassObservers.h"
#include "PreferenceKeys.h"
#include "SpringBoardLaunchHook.h"
#include "VRPrefs.h"

#include <Foundation/NSBundle.h>
#include <dispatch/dispatch.h>

void VantorelStartup::springBoardInitialiser() {
    static dispatch_once_t once;
    dispatch_once(&once, [] {
        Hook<&springboard::applicationDidFinishLaunching>::install(
            objc_getClass("SpringBoard"), sel_registerName("applicationDidFinishLaunching:"));
    });
}

void VantorelStartup::mainInitialiser() {
    static dispatch_once_t once;
    dispatch_once(&once, [] {
        std::optional<std::string> identifier = NSBundle::mainBundle()->bundleIdentifier();
        if (!identifier || *identifier != kMessagesBundleIdentifier)
            return;
        constexpr const PreferenceKey& masterSwitch = engineKey("enableVantorel");
        if (!VRPrefs::shared()->boolForKey(std::string(masterSwitch.key), switchDefault(masterSwitch),
                                           kPreferenceDomain))
            return;
        installHooks(hookTable());
        LayoutPassObservers::installOnMainRunLoop();
    });
}
