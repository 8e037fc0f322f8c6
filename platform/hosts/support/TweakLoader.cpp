#include "TweakLoader.h"

#include <Foundation/DevicePath.h>
#include <Foundation/PlistFile.h>

#include <dlfcn.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>

namespace hosts {

namespace {
bool listContains(const ns::PlistDictionary& filter, const char* field, const std::string& name) {
    auto list = filter.find(field);
    if (list == filter.end() || !list->second.asArray())
        return false;
    const ns::PlistArray& names = *list->second.asArray();
    return std::any_of(names.begin(), names.end(),
                       [&](const ns::PlistValue& v) { return v.asString() && *v.asString() == name; });
}
} // namespace

bool TweakLoader::filterMatches(const std::string& filterDevicePath, const std::string& bundleIdentifier,
                                const std::string& executable) {
    auto file = ns::PlistFile::readDictionary(filterDevicePath);
    if (!file.ok())
        return false;
    auto filter = file.value().find("Filter");
    if (filter == file.value().end() || !filter->second.asDictionary())
        return false;
    const ns::PlistDictionary& fields = *filter->second.asDictionary();
    return listContains(fields, "Bundles", bundleIdentifier) ||
           listContains(fields, "Executables", executable);
}

std::vector<std::string> TweakLoader::loadFor(const std::string& bundleIdentifier,
                                              const std::string& executable) {
    std::vector<std::string> loaded;
    auto folder = ns::DevicePath::toHost(kFolder);
    if (!folder.ok())
        return loaded;
    std::vector<std::filesystem::path> filters;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder.value(), error))
        if (entry.path().extension() == ".plist")
            filters.push_back(entry.path());
    std::sort(filters.begin(), filters.end());
    for (const auto& filter : filters) {
        std::string name = filter.stem().string();
        std::string devicePath = std::string(kFolder) + "/" + name;
        if (!filterMatches(devicePath + ".plist", bundleIdentifier, executable))
            continue;
        std::filesystem::path library = filter;
        library.replace_extension(".dylib");
        if (!dlopen(library.c_str(), RTLD_NOW | RTLD_GLOBAL)) {
            std::fprintf(stderr, "tweak loader: cannot map %s: %s\n", library.c_str(), dlerror());
            continue;
        }
        loaded.push_back(name);
    }
    return loaded;
}

} // namespace hosts
