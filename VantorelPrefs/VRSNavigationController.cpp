#include "VRSNavigationController.h"

#include "VRSControllerOperations.h"

#include <objc/message.h>

namespace {

PSSpecifierArray specifiers(id self, SEL) {
    return VRSControllerOperations::specifiersFromLayout(self, "Navigation");
}

[[maybe_unused]] const Class registered = VRSNavigationController::classObject();

} // namespace

Class VRSNavigationController::classObject() {
    static const Class cls =
        rt::defineClass("VRSNavigationController", VRSExternalController::classObject(), [](Class c, Class) {
            class_addMethod(c, rt::sel<"specifiers">(), &::specifiers);
            rt::setAllocator(c, &rt::allocate<VRSNavigationController>);
        });
    return cls;
}
