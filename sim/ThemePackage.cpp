#include "ThemePackage.h"

#include "PackageTools.h"
#include "SimError.h"

#include <Foundation/DevicePath.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace sim {

namespace fs = std::filesystem;

namespace {

constexpr const char* kProduct = "com.tavq.vantorel";

void writeText(const fs::path& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
    out.flush();
    if (!out)
        throw SimError("cannot write " + path.string());
}

// Control fields are one line each; a long description continues indented.
std::string oneLine(std::string text) {
    std::replace(text.begin(), text.end(), '\n', ' ');
    std::replace(text.begin(), text.end(), '\r', ' ');
    return text;
}

// A temporary folder removed with everything in it, however the build ends.
struct Scratch {
    Scratch() {
        std::string pattern = (fs::temp_directory_path() / "vantorel-theme-XXXXXX").string();
        if (!mkdtemp(pattern.data()))
            throw SimError("cannot create a temporary folder to build the package in");
        path = pattern;
    }
    ~Scratch() {
        std::error_code error;
        fs::remove_all(path, error);
    }
    fs::path path;
};

} // namespace

std::string ThemePackage::packageName(const Theme& theme) {
    std::string slug;
    for (const unsigned char c : theme.name) {
        if (std::isalnum(c))
            slug += static_cast<char>(std::tolower(c));
        else if (!slug.empty() && slug.back() != '-')
            slug += '-';
    }
    while (!slug.empty() && slug.back() == '-')
        slug.pop_back();
    if (slug.empty())
        throw SimError("the theme's name '" + theme.name + "' has no letter or digit to name its package by");
    return std::string(kProduct) + ".theme." + slug;
}

void ThemePackage::build(const std::string& themeFile, const Theme& theme, const std::string& version,
                         const std::string& output) {
    const std::string name = packageName(theme);
    const std::string slug = name.substr(name.rfind('.') + 1);
    Scratch scratch;
    const fs::path stage = scratch.path / "stage";
    const fs::path themes = stage / std::string(kFolder).substr(1);
    std::error_code error;
    fs::create_directories(themes, error);
    fs::create_directories(stage / "DEBIAN", error);
    if (error)
        throw SimError("cannot stage the package: " + error.message());
    // Folders 0755, the theme 0644, whatever the umask.
    for (fs::path folder = themes; folder != scratch.path; folder = folder.parent_path())
        fs::permissions(folder, fs::perms(0755), error);
    fs::permissions(stage / "DEBIAN", fs::perms(0755), error);
    fs::copy_file(themeFile, themes / (slug + ".plist"), error);
    if (error)
        throw SimError("cannot stage " + themeFile + ": " + error.message());
    fs::permissions(themes / (slug + ".plist"), fs::perms(0644), error);

    std::string about = theme.note ? oneLine(*theme.note) : "A look for Messages";
    if (theme.author)
        about += " (by " + oneLine(*theme.author) + ")";
    writeText(
        stage / "DEBIAN" / "control",
        "Package: " + name + "\nName: " + oneLine(theme.name) + " (Vantorel theme)\nVersion: " + version +
            "\nArchitecture: all\nMaintainer: " + (theme.author ? oneLine(*theme.author) : "Vantorel user") +
            " <themes@localhost>\nSection: Themes\nDepends: " + kProduct + "\nDescription: Vantorel theme " +
            oneLine(theme.name) + "\n " + about + "\n");
    fs::permissions(stage / "DEBIAN" / "control", fs::perms(0644), error);

    const std::string part = output + ".part";
    const HostRunner::Captured built =
        PackageTools::run("dpkg-deb", {"--root-owner-group", "-Zxz", "--build", stage.string(), part});
    if (built.status != 0) {
        fs::remove(part, error);
        throw SimError("cannot build " + output + ": " + PackageTools::reason(built.errors));
    }
    fs::rename(part, output, error);
    if (error) {
        fs::remove(part, error);
        throw SimError("cannot write " + output + ": " + error.message());
    }
}

std::vector<ThemePackage::Installed> ThemePackage::installed(const std::string& adminFolder) {
    std::vector<Installed> themes;
    auto folder = ns::DevicePath::toHost(kFolder);
    std::error_code error;
    if (!folder.ok() || !fs::is_directory(folder.value(), error))
        return themes;
    for (const auto& entry : fs::directory_iterator(folder.value(), error))
        if (entry.path().extension() == ".plist")
            themes.push_back({entry.path().stem().string(),
                              std::string(kFolder) + "/" + entry.path().filename().string(),
                              {}});
    std::sort(themes.begin(), themes.end(), [](const auto& a, const auto& b) { return a.name < b.name; });
    for (Installed& theme : themes) {
        const HostRunner::Captured owner =
            PackageTools::run("dpkg-query", {"--admindir=" + adminFolder, "--search", theme.file});
        if (owner.status == 0)
            theme.package = owner.output.substr(0, owner.output.find(':'));
    }
    return themes;
}

} // namespace sim
