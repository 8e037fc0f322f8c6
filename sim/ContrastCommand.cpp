// `contrast`: whether the theme's text can be read on what it sits on.
#include "Command.h"
#include "ContrastReport.h"
#include "SimError.h"

#include <cstdio>
#include <memory>

namespace sim {

namespace {

void checkContrast(bool strict) {
    const ContrastReport report = ContrastReport::make();
    if (report.warning)
        std::fprintf(stderr, "vantorel-sim: %s\n", report.warning->c_str());
    std::size_t under = 0;
    for (const ContrastReport::Line& line : report.lines) {
        const std::string name = line.pair.text + " on " + line.pair.background;
        const char* level = Contrast::levelName(line.pair.level);
        if (line.under)
            ++under;
        if (!line.suggestion) {
            std::printf("%-52s %6.2f  %s\n", name.c_str(), line.shownRatio, level);
            continue;
        }
        std::printf("%-52s %6.2f  %-5s  nearest passing: %s (%.2f%s)\n", name.c_str(), line.shownRatio, level,
                    line.suggestion->c_str(), line.suggestionRatio, line.suggestionOpaque ? ", opaque" : "");
    }
    for (const std::string& screen : report.unchecked)
        std::printf("not checked: text over the %s wallpaper (wallpapers are not drawn yet)\n",
                    screen.c_str());
    if (strict && under > 0) {
        std::printf("%zu pair%s under 4.5\n", under, under == 1 ? "" : "s");
        throw CheckFailed();
    }
}

} // namespace

void addContrastCommand(cli::App& app, Command& command) {
    auto strict = std::make_shared<bool>(false);
    cli::App* contrast = app.add_subcommand(
        "contrast", "WCAG 2 contrast of every text colour on what it sits on, from the stored values");
    contrast->add_flag("--strict", *strict, "Exit with status 1 when a pair is under 4.5");
    contrast->callback([&command, strict] {
        command.device();
        checkContrast(*strict);
    });
}

} // namespace sim
