#pragma once
#include <objc/objc.h>

// SpringBoard's launch, followed by the mirroring of the settings into Messages.
namespace springboard {
void applicationDidFinishLaunching(id self, SEL _cmd, id application);
}
