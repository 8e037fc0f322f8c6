#include "VRSConversationListController.h"

#include "VRSControllerOperations.h"

#include <objc/message.h>

namespace {

PSSpecifierArray specifiers(id self, SEL) {
    return VRSControllerOperations::specifiersFromLayout(self, "ConversationList");
}

[[maybe_unused]] const Class registered = VRSConversationListController::classObject();

} // namespace

Class VRSConversationListController::classObject() {
    static const Class cls = rt::defineClass(
        "VRSConversationListController", VRSExternalController::classObject(), [](Class c, Class) {
            class_addMethod(c, rt::sel<"specifiers">(), &::specifiers);
            rt::setAllocator(c, &rt::allocate<VRSConversationListController>);
        });
    return cls;
}
