#include "ContrastReport.h"

#include "HexColorCodec.h"
#include "PQPrefs.h"
#include "PreferenceKeys.h"

#include <Foundation/NSFileManager.h>
#include <Foundation/PlistFile.h>

#include <cmath>

namespace sim {

double ContrastReport::shown(double ratio) {
    return std::floor(ratio * 100 + 1e-9) / 100;
}

ContrastReport ContrastReport::make() {
    ContrastReport report;
    const std::string path = PQPrefs::shared()->pathForID(kPreferenceDomain);
    ns::PlistDictionary stored;
    if (NSFileManager::defaultManager()->fileExistsAtPath(path)) {
        auto file = ns::PlistFile::readDictionary(path);
        if (file.ok())
            stored = std::move(file.value());
        else
            report.warning =
                "the preference file cannot be read (" + file.error() + "); defaults are checked";
    }
    for (const ContrastPairs::Checked& pair : ContrastPairs::check(stored)) {
        Line line{pair, shown(pair.ratio), pair.ratio < Contrast::kAa, std::nullopt};
        // The status bar's text follows the look: only the bar's colour is the user's.
        if (line.under && pair.text != ContrastPairs::kStatusBarText) {
            const Contrast::Suggestion better =
                Contrast::nearestPassing(pair.textColour, pair.backgroundColour, Contrast::kAa);
            const Contrast::Colour& c = better.colour;
            line.suggestion =
                HexColorCodec::hexStringFromColor(UIColor::colorWithRed(c.red, c.green, c.blue, c.alpha));
            line.suggestionRatio = shown(better.ratio);
            line.suggestionOpaque = better.opaque;
        }
        report.lines.push_back(std::move(line));
    }
    for (ContrastPairs::Screen screen : ContrastPairs::wallpaperScreens(stored))
        report.unchecked.push_back(ContrastPairs::screenName(screen));
    return report;
}

} // namespace sim
