#include <MobileCoreServices/ApplicationRegistry.h>
#include <MobileCoreServices/LSApplicationWorkspace.h>

#include <objc/message.h>

namespace {

rt::Ref<LSApplicationWorkspace> defaultWorkspace(id, SEL) {
    static const rt::Ref<LSApplicationWorkspace> workspace = rt::make<LSApplicationWorkspace>();
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
        auto proxy = rt::make<LSApplicationProxy>();
        proxy->setBundleIdentifier(application.bundleIdentifier);
        proxy->setDataContainerURL(url);
        proxies.push_back(proxy);
    }
    return proxies;
}

} // namespace

RT_DEFINE_CLASS(LSApplicationWorkspace, [](Class c, Class meta) {
    class_addMethod(meta, rt::sel<"defaultWorkspace">(), &defaultWorkspace);
    class_addMethod(c, rt::sel<"applicationsOfType:">(), &applicationsOfType);
})
