#pragma once
#include <Foundation/PlistValue.h>
#include <Foundation/Result.h>

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace sim {

// What a theme file holds: a header, the engine's values and, when asked, the
// wallpapers' bytes.
struct Theme {
    std::string name;
    std::optional<std::string> author;
    std::optional<std::string> note;
    std::optional<ns::PlistValue::Date> created;
    ns::PlistDictionary values;                      // engine keys only
    std::map<std::string, ns::PlistData> wallpapers; // by slot name
};

// A theme as one property list on the user's machine:
//   FormatVersion (1), Name, Author?, Note?, Created?, Values {key: value}, Wallpapers? {slot: data}
class ThemeFile {
  public:
    static constexpr int64_t kFormatVersion = 1;

    struct Checked {
        Theme theme;
        std::vector<std::string> problems; // one line each; the theme is usable only without any
    };

    // Reads and checks a file at a host path.
    static Checked read(const std::string& hostPath);
    // Checks the header, every key and value, every wallpaper, and names each problem.
    static Checked check(const ns::PlistDictionary& file);
    static ns::PlistDictionary encode(const Theme& theme);
    // Atomic; fails rather than write a file too large to be read back.
    static ns::Result<void> write(const std::string& hostPath, const Theme& theme);
};

} // namespace sim
