#include "VRSMenuColourController.h"

#include "VRSControllerOperations.h"

#include <objc/message.h>

namespace {

PSSpecifierArray specifiers(id self, SEL) {
    return VRSControllerOperations::specifiersFromLayout(self, "MenuColour");
}

[[maybe_unused]] const Class registered = VRSMenuColourController::classObject();

} // namespace

Class VRSMenuColourController::classObject() {
    static const Class cls =
        rt::defineClass("VRSMenuColourController", VRSExternalController::classObject(), [](Class c, Class) {
            class_addMethod(c, rt::sel<"specifiers">(), &::specifiers);
            rt::setAllocator(c, &rt::allocate<VRSMenuColourController>);
        });
    return cls;
}
