#include "VRSCellColourController.h"

#include "VRSControllerOperations.h"

#include <objc/message.h>

namespace {

PSSpecifierArray specifiers(id self, SEL) {
    return VRSControllerOperations::specifiersFromLayout(self, "CellColour");
}

[[maybe_unused]] const Class registered = VRSCellColourController::classObject();

} // namespace

Class VRSCellColourController::classObject() {
    static const Class cls =
        rt::defineClass("VRSCellColourController", VRSExternalController::classObject(), [](Class c, Class) {
            class_addMethod(c, rt::sel<"specifiers">(), &::specifiers);
            rt::setAllocator(c, &rt::allocate<VRSCellColourController>);
        });
    return cls;
}
