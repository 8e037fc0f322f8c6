#include "VRSChatController.h"

#include "VRSControllerOperations.h"

#include <objc/message.h>

namespace {

PSSpecifierArray specifiers(id self, SEL) {
    return VRSControllerOperations::specifiersFromLayout(self, "Chat");
}

[[maybe_unused]] const Class registered = VRSChatController::classObject();

} // namespace

Class VRSChatController::classObject() {
    static const Class cls =
        rt::defineClass("VRSChatController", VRSExternalController::classObject(), [](Class c, Class) {
            class_addMethod(c, rt::sel<"specifiers">(), &::specifiers);
            rt::setAllocator(c, &rt::allocate<VRSChatController>);
        });
    return cls;
}
