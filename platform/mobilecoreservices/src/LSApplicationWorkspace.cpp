#include <MobileCoreServices/ApplicationRegistry.h>
#include <MobileCoreServices/LSApplicationWorkspace.h>

#include <objc/message.h>

namespace {

rt::Ref<LSApplicationWorkspace> defaultWorkspace(id, SEL) {
    static const rt::Ref<LSApplicationWorkspace> workspace =
        rt::make<LSApplicationWorkspace>(LSApplicationWorkspace::classObject());
    return workspace;
}

// Read from the registry on every call: installs and moves show at once.
LSApplicationProxies applicationsOfType(id, SEL, unsigned long type) {
    LSApplicationProxies proxies;
    for (const auto& application : mcs::ApplicationRegistry::read()) {
        if (application.type != static_cast<long>(type))
            continue;
        std::optional<std::string> url;
        if (application.dataContainer)
            url = "file://" + *application.dataContainer;
        proxies.push_back(rt::make<LSApplicationProxy>(application.bundleIdentifier, url));
    }
    return proxies;
}

[[maybe_unused]] const Class registered = LSApplicationWorkspace::classObject();

} // namespace

Class LSApplicationWorkspace::classObject() {
    static const Class cls =
        rt::defineClass("LSApplicationWorkspace", NSObject::classObject(), [](Class c, Class meta) {
            class_addMethod(meta, rt::sel<"defaultWorkspace">(), &defaultWorkspace);
            class_addMethod(c, rt::sel<"applicationsOfType:">(), &applicationsOfType);
            rt::setAllocator(c, &rt::allocate<LSApplicationWorkspace>);
        });
    return cls;
}
