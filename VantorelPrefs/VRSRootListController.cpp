#include "VRSRootListController.h"

#include "VRSControllerOperations.h"

#include <objc/message.h>

namespace {

PSSpecifierArray specifiers(id self, SEL) {
    return VRSControllerOperations::specifiersFromLayout(self, "Root");
}

// The Settings host finds the page by name once the bundle is loaded.
[[maybe_unused]] const Class registered = VRSRootListController::classObject();

} // namespace

Class VRSRootListController::classObject() {
    static const Class cls =
        rt::defineClass("VRSRootListController", PSListController::classObject(), [](Class c, Class) {
            VRSControllerOperations::addTo(c);
            class_addMethod(c, rt::sel<"specifiers">(), &::specifiers);
            rt::setAllocator(c, &rt::allocate<VRSRootListController>);
        });
    return cls;
}
