// `theme package`: a theme file made into a package of its own, installable
// with `install` beside the product.
#include "Command.h"
#include "ThemeActions.h"
#include "ThemePackage.h"

#include <cstdio>
#include <memory>

namespace sim {

namespace {

struct PackageOptions {
    std::string file;
    std::string output;
    std::string version = "1.0";
};

} // namespace

void addThemePackageCommand(cli::App& theme) {
    auto options = std::make_shared<PackageOptions>();
    cli::App* package = theme.add_subcommand("package", "Build a package installing the theme FILE under " +
                                                            std::string(ThemePackage::kFolder));
    package->add_option("FILE", options->file, "A theme file, checked as `theme import` checks it")
        ->required();
    package->add_option("-o,--output", options->output,
                        "The package file (default: NAME_VERSION_all.deb in the current folder)");
    package->add_option("--version", options->version, "The package's version (default 1.0)");
    package->callback([options] {
        // The same checks as an import: a package never ships a theme import would refuse.
        const Theme checked = ThemeActions::readChecked(options->file, options->file, "no package built");
        const std::string name = ThemePackage::packageName(checked);
        const std::string output =
            options->output.empty() ? name + "_" + options->version + "_all.deb" : options->output;
        ThemePackage::build(options->file, checked, options->version, output);
        std::printf("%s\n", output.c_str());
    });
}

} // namespace sim
