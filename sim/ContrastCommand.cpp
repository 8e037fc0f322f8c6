// `contrast`: whether the theme's text can be read on what it sits on.
#include "Command.h"
#include "ContrastPairs.h"
#include "HexColorCodec.h"
#include "PQPrefs.h"
#include "PreferenceKeys.h"
#include "SimError.h"

#include <Foundation/NSFileManager.h>
#include <Foundation/PlistFile.h>

#include <cmath>
#include <cstdio>
#include <memory>

namespace sim {

namespace {

// Cut to two decimals rather than rounded: 2.995 must not read as 3.00.
double shown(double ratio) {
    return std::floor(ratio * 100 + 1e-9) / 100;
}

std::string hex(const Contrast::Colour& c) {
    return HexColorCodec::hexStringFromColor(UIColor::colorWithRed(c.red, c.green, c.blue, c.alpha));
}

void checkContrast(bool strict) {
    const std::string path = PQPrefs::shared()->pathForID(kPreferenceDomain);
    ns::PlistDictionary stored;
    if (NSFileManager::defaultManager()->fileExistsAtPath(path)) {
        auto file = ns::PlistFile::readDictionary(path);
        if (file.ok())
            stored = std::move(file.value());
        else
            std::fprintf(stderr,
                         "vantorel-sim: the preference file cannot be read (%s); defaults are checked\n",
                         file.error().c_str());
    }
    std::size_t under = 0;
    for (const ContrastPairs::Checked& pair : ContrastPairs::check(stored)) {
        const std::string name = pair.text + " on " + pair.background;
        const char* level = Contrast::levelName(pair.level);
        if (pair.ratio >= Contrast::kAa) {
            std::printf("%-52s %6.2f  %s\n", name.c_str(), shown(pair.ratio), level);
            continue;
        }
        ++under;
        if (pair.text == ContrastPairs::kStatusBarText) { // the bar's colour is what the user can change
            std::printf("%-52s %6.2f  %s\n", name.c_str(), shown(pair.ratio), level);
            continue;
        }
        Contrast::Suggestion better =
            Contrast::nearestPassing(pair.textColour, pair.backgroundColour, Contrast::kAa);
        std::printf("%-52s %6.2f  %-5s  nearest passing: %s (%.2f%s)\n", name.c_str(), shown(pair.ratio),
                    level, hex(better.colour).c_str(), shown(better.ratio), better.opaque ? ", opaque" : "");
    }
    for (ContrastPairs::Screen screen : ContrastPairs::wallpaperScreens(stored))
        std::printf("not checked: text over the %s wallpaper (wallpapers are not drawn yet)\n",
                    ContrastPairs::screenName(screen));
    if (strict && under > 0) {
        std::printf("%zu pair%s under 4.5\n", under, under == 1 ? "" : "s");
        throw CheckFailed();
    }
}

} // namespace

void addContrastCommand(CLI::App& app, Command& command) {
    auto strict = std::make_shared<bool>(false);
    CLI::App* contrast = app.add_subcommand(
        "contrast", "WCAG 2 contrast of every text colour on what it sits on, from the stored values");
    contrast->add_flag("--strict", *strict, "Exit with status 1 when a pair is under 4.5");
    contrast->callback([&command, strict] {
        command.device();
        checkContrast(*strict);
    });
}

} // namespace sim
