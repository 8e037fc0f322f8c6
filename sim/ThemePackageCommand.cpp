// `theme package`: a theme file made into a package of its own, installable
// with `install` beside the product.
#include "Command.h"
#include "SimError.h"
#include "ThemeFile.h"
#include "ThemePackage.h"

#include <cstdio>
#include <filesystem>
#include <memory>

namespace sim {

namespace {

struct PackageOptions {
    std::string file;
    std::string output;
    std::string version = "1.0";
};

} // namespace

void addThemePackageCommand(CLI::App& theme) {
    auto options = std::make_shared<PackageOptions>();
    CLI::App* package = theme.add_subcommand("package", "Build a package installing the theme FILE under " +
                                                            std::string(ThemePackage::kFolder));
    package->add_option("FILE", options->file, "A theme file, checked as `theme import` checks it")
        ->required();
    package->add_option("-o,--output", options->output,
                        "The package file (default: NAME_VERSION_all.deb in the current folder)");
    package->add_option("--version", options->version, "The package's version (default 1.0)");
    package->callback([options] {
        std::error_code error;
        if (!std::filesystem::is_regular_file(options->file, error))
            throw SimError(options->file + ": no such theme file");
        // The same checks as an import: a package never ships a theme import would refuse.
        const ThemeFile::Checked checked = ThemeFile::read(options->file);
        if (!checked.problems.empty()) {
            for (const std::string& problem : checked.problems)
                std::fprintf(stderr, "vantorel-sim: %s: %s\n", options->file.c_str(), problem.c_str());
            std::fprintf(stderr, "vantorel-sim: %s: %zu problem%s, no package built\n", options->file.c_str(),
                         checked.problems.size(), checked.problems.size() == 1 ? "" : "s");
            throw ReportedFailure();
        }
        const std::string name = ThemePackage::packageName(checked.theme);
        const std::string output =
            options->output.empty() ? name + "_" + options->version + "_all.deb" : options->output;
        ThemePackage::build(options->file, checked.theme, options->version, output);
        std::printf("%s\n", output.c_str());
    });
}

} // namespace sim
