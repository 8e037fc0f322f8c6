#include <MobileCoreServices/LSApplicationProxy.h>

#include <objc/message.h>

namespace {

std::optional<std::string> bundleIdentifier(id self, SEL) {
    return static_cast<LSApplicationProxy*>(self)->m_bundleIdentifier;
}

std::optional<std::string> dataContainerURL(id self, SEL) {
    return static_cast<LSApplicationProxy*>(self)->m_dataContainerURL;
}

[[maybe_unused]] const Class registered = LSApplicationProxy::classObject();

} // namespace

Class LSApplicationProxy::classObject() {
    static const Class cls =
        rt::defineClass("LSApplicationProxy", NSObject::classObject(), [](Class c, Class) {
            class_addMethod(c, rt::sel<"bundleIdentifier">(), &bundleIdentifier);
            class_addMethod(c, rt::sel<"dataContainerURL">(), &dataContainerURL);
            rt::setAllocator(c, &rt::allocate<LSApplicationProxy>);
        });
    return cls;
}

LSApplicationProxy::LSApplicationProxy(std::optional<std::string> bundleIdentifier,
                                       std::optional<std::string> dataContainerURL)
    : NSObject(classObject()), m_bundleIdentifier(std::move(bundleIdentifier)),
      m_dataContainerURL(std::move(dataContainerURL)) {}
