#include <MobileCoreServices/ApplicationRegistry.h>

#include <Foundation/PlistFile.h>

namespace mcs {

std::vector<ApplicationRegistry::Application> ApplicationRegistry::read() {
    std::vector<Application> applications;
    auto file = ns::PlistFile::readDictionary(kRegistryPath);
    if (!file.ok())
        return applications;
    auto list = file.value().find("Applications");
    if (list == file.value().end() || !list->second.asArray())
        return applications;
    for (const ns::PlistValue& entry : *list->second.asArray()) {
        if (!entry.asDictionary())
            continue;
        const ns::PlistDictionary& fields = *entry.asDictionary();
        auto identifier = fields.find("BundleIdentifier");
        if (identifier == fields.end() || !identifier->second.isString())
            continue;
        Application application{identifier->second.stringValue(), 0, std::nullopt};
        if (auto type = fields.find("Type"); type != fields.end())
            application.type = type->second.intValue();
        if (auto container = fields.find("DataContainer");
            container != fields.end() && container->second.isString())
            application.dataContainer = container->second.stringValue();
        applications.push_back(std::move(application));
    }
    return applications;
}

bool ApplicationRegistry::write(const std::vector<Application>& applications) {
    ns::PlistArray list;
    for (const Application& application : applications) {
        ns::PlistDictionary fields{{"BundleIdentifier", ns::PlistValue(application.bundleIdentifier)},
                                   {"Type", ns::PlistValue(static_cast<int64_t>(application.type))}};
        if (application.dataContainer)
            fields["DataContainer"] = ns::PlistValue(*application.dataContainer);
        list.push_back(ns::PlistValue(std::move(fields)));
    }
    return ns::PlistFile::writeDictionary(kRegistryPath, {{"Applications", ns::PlistValue(std::move(list))}})
        .ok();
}

std::optional<ApplicationRegistry::Application>
ApplicationRegistry::find(const std::string& bundleIdentifier) {
    for (Application& application : read())
        if (application.bundleIdentifier == bundleIdentifier)
            return application;
    return std::nullopt;
}

} // namespace mcs
