#include "VRSMiscController.h"

#include "VRSControllerOperations.h"

#include <objc/message.h>

namespace {

PSSpecifierArray specifiers(id self, SEL) {
    return VRSControllerOperations::specifiersFromLayout(self, "Misc");
}

[[maybe_unused]] const Class registered = VRSMiscController::classObject();

} // namespace

Class VRSMiscController::classObject() {
    static const Class cls =
        rt::defineClass("VRSMiscController", VRSExternalController::classObject(), [](Class c, Class) {
            class_addMethod(c, rt::sel<"specifiers">(), &::specifiers);
            rt::setAllocator(c, &rt::allocate<VRSMiscController>);
        });
    return cls;
}
