#pragma once
#include "Contrast.h"
#include "ContrastPairs.h"

#include <optional>
#include <string>
#include <vector>

namespace sim {

// The `contrast` table: every text colour on what it sits on, from the user's
// stored values, with the nearest passing colour for a pair under 4.5.
class ContrastReport {
  public:
    struct Line {
        ContrastPairs::Checked pair;
        double shownRatio; // cut, not rounded: 2.995 must not read as 3.00
        bool under;        // below 4.5
        // RRGGBBAA, for a pair under 4.5 whose text colour is the user's to change
        std::optional<std::string> suggestion;
        double suggestionRatio = 0;
        bool suggestionOpaque = false;
    };
    std::vector<Line> lines;
    std::vector<std::string> unchecked; // screens whose text sits over a wallpaper
    std::optional<std::string> warning; // the file could not be read; defaults were checked

    static ContrastReport make();
    static double shown(double ratio);
};

} // namespace sim
