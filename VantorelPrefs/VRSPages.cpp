#include "VRSPages.h"

#include "VRSControllerOperations.h"

#include <string_view>
#include <utility>

namespace {

template <std::size_t I> Class pageClass() {
    static const Class cls = objc_getClass(kVRSPages[I].className);
    return cls;
}

template <std::size_t I> PSSpecifierArray rowsOfPage(PSListController* page) {
    return VRSControllerOperations::specifiersFromLayout(page, kVRSPages[I].layout);
}

// Pages on the host's own list controller carry the shared operations; the
// others inherit them. A page with a layout answers its rows from it.
template <std::size_t I> void definePage() {
    rt::defineClass(kVRSPages[I].className, objc_getClass(kVRSPages[I].superclassName), [](Class cls, Class) {
        if (std::string_view(kVRSPages[I].superclassName) == "PSListController")
            VRSControllerOperations::addTo<&pageClass<I>>(cls);
        if (kVRSPages[I].layout)
            rt::addFunction<PSListController::specifiersMethod, &rowsOfPage<I>>(cls);
    });
}

template <std::size_t... I> bool defineAll(std::index_sequence<I...>) {
    PSListController::classObject();
    (definePage<I>(), ...);
    return true;
}

// In table order, so that every superclass exists before its subclasses.
[[maybe_unused]] const bool defined = defineAll(std::make_index_sequence<kVRSPages.size()>());

} // namespace
