// `packages`, `install`, `remove`: the device's package manager, as dpkg on
// the phone would be used.
#include "Command.h"
#include "PackageDatabase.h"
#include "PackageManager.h"
#include "SimError.h"

#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace sim {

void addPackageCommands(cli::App& app, Command& command) {
    cli::App* packages = app.add_subcommand("packages", "List the packages dpkg has on the device");
    packages->callback([&command] {
        const Device& device = command.device();
        PackageDatabase database(device);
        if (!database.exists())
            throw SimError("this device has no package database (run init)");
        const auto listed = database.packages();
        size_t nameWidth = 4, versionWidth = 7;
        for (const auto& package : listed) {
            nameWidth = std::max(nameWidth, package.name.size());
            versionWidth = std::max(versionWidth, package.version.size());
        }
        const int n = static_cast<int>(nameWidth), v = static_cast<int>(versionWidth);
        std::printf("%-*s  %-*s  %s\n", n, "NAME", v, "VERSION", "STATE");
        for (const auto& package : listed)
            std::printf("%-*s  %-*s  %s\n", n, package.name.c_str(), v, package.version.c_str(),
                        package.state.c_str());
    });

    auto files = std::make_shared<std::vector<std::string>>();
    cli::App* install =
        app.add_subcommand("install", "Install Debian packages into the device with its dpkg");
    install->add_option("FILE", *files, "Package files (.deb)")->required();
    install->callback([&command, files] {
        const Device& device = command.device();
        for (const auto& installed : PackageManager(device).install(*files))
            std::printf("installed %s %s\n", installed.name.c_str(), installed.version.c_str());
    });

    auto name = std::make_shared<std::string>();
    auto purge = std::make_shared<bool>(false);
    cli::App* remove = app.add_subcommand("remove", "Remove an installed package from the device");
    remove->add_option("NAME", *name, "The package's name, as `packages` lists it")->required();
    remove->add_flag("--purge", *purge, "Also remove what dpkg keeps of its configuration");
    remove->callback([&command, name, purge] {
        PackageManager(command.device()).remove(*name, *purge);
        std::printf("%s %s\n", *purge ? "purged" : "removed", name->c_str());
    });
}

} // namespace sim
