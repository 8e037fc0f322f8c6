#pragma once
#include <string>
#include <vector>

namespace sim {

// The picture people share a theme with: Messages' five screens side by side
// on one captioned sheet, one row per look (light above dark), each screen
// drawn by a real Messages process of the current device.
class ScreenSheet {
  public:
    // Sheets are wide: under 3 pixels per point by default so one fits the picture limits.
    static constexpr double kDefaultScale = 1.5;

    // Checks that a sheet of `rows` rows fits the picture limits at `scale`;
    // otherwise a SimError naming `verb` and the largest scale that fits.
    static void checkFits(const std::string& verb, std::size_t rows, double scale);
    // Draws the sheet for `looks` ("light", "dark") to the PNG file `path`
    // (replaced in one step), titled `title`.
    static void write(const std::string& path, double scale, const std::vector<std::string>& looks,
                      const std::string& title);
};

} // namespace sim
