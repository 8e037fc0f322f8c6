#include "VRSSystemColourController.h"

#include "VRSControllerOperations.h"

#include <objc/message.h>

namespace {

PSSpecifierArray specifiers(id self, SEL) {
    return VRSControllerOperations::specifiersFromLayout(self, "SystemColour");
}

[[maybe_unused]] const Class registered = VRSSystemColourController::classObject();

} // namespace

Class VRSSystemColourController::classObject() {
    static const Class cls = rt::defineClass(
        "VRSSystemColourController", VRSExternalController::classObject(), [](Class c, Class) {
            class_addMethod(c, rt::sel<"specifiers">(), &::specifiers);
            rt::setAllocator(c, &rt::allocate<VRSSystemColourController>);
        });
    return cls;
}
