#include "VRSBackgroundColourController.h"

#include "VRSControllerOperations.h"

#include <objc/message.h>

namespace {

PSSpecifierArray specifiers(id self, SEL) {
    return VRSControllerOperations::specifiersFromLayout(self, "BackgroundColour");
}

[[maybe_unused]] const Class registered = VRSBackgroundColourController::classObject();

} // namespace

Class VRSBackgroundColourController::classObject() {
    static const Class cls = rt::defineClass(
        "VRSBackgroundColourController", VRSExternalController::classObject(), [](Class c, Class) {
            class_addMethod(c, rt::sel<"specifiers">(), &::specifiers);
            rt::setAllocator(c, &rt::allocate<VRSBackgroundColourController>);
        });
    return cls;
}
