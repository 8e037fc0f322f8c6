// SpringBoard: the process that has the class `SpringBoard`. It launches, tells
// itself it finished launching, runs its main queue until all work that launch
// started has finished, then exits (the simulated device has no screen to keep).
#include "DeviceProcess.h"
#include "TweakLoader.h"

#include <MobileCoreServices/LSApplicationWorkspace.h>
#include <UIKit/UIKitDefines.h>
#include <dispatch/queue.h>
#include <objc/message.h>

#include <cstdio>

namespace {

#define SPRINGBOARD_METHODS(M, O, C)                                                                         \
    M(void, applicationDidFinishLaunching, "applicationDidFinishLaunching:", (id))

class SpringBoard : public NSObject {
    RT_OBJECT(SpringBoard, NSObject)
    RT_METHODS(SPRINGBOARD_METHODS)
};

constexpr double kLaunchWorkTimeout = 60.0;

} // namespace

RT_DEFINE_CLASS(SpringBoard, nullptr)

void SpringBoard::applicationDidFinishLaunchingImpl(id) {
    hosts::DeviceProcess::noteLaunch("SpringBoard launched");
}

int main() {
    // The classes SpringBoard has exist before any tweak looks for them (and
    // keep the linker from dropping the registry's library as unused).
    SpringBoard::classObject();
    LSApplicationWorkspace::classObject();
    hosts::DeviceProcess::start("SpringBoard", "com.apple.springboard", "/var/mobile");
    hosts::TweakLoader::loadFor("com.apple.springboard", "SpringBoard");

    rt::Ref<SpringBoard> application = rt::createInstance<SpringBoard>(objc_getRequiredClass("SpringBoard"));
    application->applicationDidFinishLaunching(application.get());

    if (!ns::DispatchRuntime::runMainQueueUntilIdle(kLaunchWorkTimeout)) {
        std::fprintf(stderr, "SpringBoard: launch work still running after %.0f s\n", kLaunchWorkTimeout);
        return 1;
    }
    return 0;
}
