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

class SpringBoard : public NSObject {
  public:
    static Class classObject() {
        static const Class cls = rt::defineClass("SpringBoard", NSObject::classObject(), [](Class c, Class) {
            class_addMethod(c, rt::sel<"applicationDidFinishLaunching:">(), &applicationDidFinishLaunching);
            rt::setAllocator(c, &rt::allocate<SpringBoard>);
        });
        return cls;
    }
    explicit SpringBoard(Class cls) : NSObject(cls) {}

  private:
    static void applicationDidFinishLaunching(id, SEL, id) {
        hosts::DeviceProcess::noteLaunch("SpringBoard launched");
    }
};

constexpr double kLaunchWorkTimeout = 60.0;

} // namespace

int main() {
    // The classes SpringBoard has exist before any tweak looks for them (and
    // keep the linker from dropping the registry's library as unused).
    SpringBoard::classObject();
    LSApplicationWorkspace::classObject();
    hosts::DeviceProcess::start("SpringBoard", "com.apple.springboard", "/var/mobile");
    hosts::TweakLoader::loadFor("com.apple.springboard", "SpringBoard");

    rt::Ref<SpringBoard> application(
        static_cast<SpringBoard*>(class_createInstance(objc_getClass("SpringBoard"))));
    rt::send<void(id)>(application.get(), rt::sel<"applicationDidFinishLaunching:">(), application.get());

    if (!ns::DispatchRuntime::runMainQueueUntilIdle(kLaunchWorkTimeout)) {
        std::fprintf(stderr, "SpringBoard: launch work still running after %.0f s\n", kLaunchWorkTimeout);
        return 1;
    }
    return 0;
}
