#include "VRSChatBubbleController.h"

#include "VRSControllerOperations.h"

#include <objc/message.h>

namespace {

PSSpecifierArray specifiers(id self, SEL) {
    return VRSControllerOperations::specifiersFromLayout(self, "ChatBubble");
}

[[maybe_unused]] const Class registered = VRSChatBubbleController::classObject();

} // namespace

Class VRSChatBubbleController::classObject() {
    static const Class cls =
        rt::defineClass("VRSChatBubbleController", VRSExternalController::classObject(), [](Class c, Class) {
            class_addMethod(c, rt::sel<"specifiers">(), &::specifiers);
            rt::setAllocator(c, &rt::allocate<VRSChatBubbleController>);
        });
    return cls;
}
