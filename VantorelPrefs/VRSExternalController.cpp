#include "VRSExternalController.h"

#include "VRSControllerOperations.h"

namespace {
[[maybe_unused]] const Class registered = VRSExternalController::classObject();
} // namespace

Class VRSExternalController::classObject() {
    static const Class cls =
        rt::defineClass("VRSExternalController", PSListController::classObject(), [](Class c, Class) {
            VRSControllerOperations::addTo(c);
            rt::setAllocator(c, &rt::allocate<VRSExternalController>);
        });
    return cls;
}
