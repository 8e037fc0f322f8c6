#include <MobileCoreServices/ApplicationRegistry.h>
#include <MobileCoreServices/LSApplicationWorkspace.h>

RT_DEFINE_CLASS(LSApplicationWorkspace, nullptr)

rt::Ref<LSApplicationWorkspace> LSApplicationWorkspace::defaultWorkspaceImpl() {
    static const rt::Ref<LSApplicationWorkspace> workspace = rt::make<LSApplicationWorkspace>();
    return workspace;
}

LSApplicationProxies LSApplicationWorkspace::applicationsOfTypeImpl(unsigned long type) {
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
