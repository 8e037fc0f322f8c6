#include "VRSLabelColourController.h"

#include "VRSControllerOperations.h"

#include <objc/message.h>

namespace {

PSSpecifierArray specifiers(id self, SEL) {
    return VRSControllerOperations::specifiersFromLayout(self, "LabelColour");
}

[[maybe_unused]] const Class registered = VRSLabelColourController::classObject();

} // namespace

Class VRSLabelColourController::classObject() {
    static const Class cls =
        rt::defineClass("VRSLabelColourController", VRSExternalController::classObject(), [](Class c, Class) {
            class_addMethod(c, rt::sel<"specifiers">(), &::specifiers);
            rt::setAllocator(c, &rt::allocate<VRSLabelColourController>);
        });
    return cls;
}
