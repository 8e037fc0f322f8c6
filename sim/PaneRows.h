#pragma once
// What the simulator knows of the settings pane's own rows, read from its page
// layouts in the device: which rows hold a colour (and what they show when
// unset). The Settings app knows none of this; the
// pane's cells do, and until they draw it the command line stands in for them.
#include <optional>
#include <string>

namespace sim {

class PaneRows {
  public:
    enum class Kind { other, colour };
    struct Row {
        Kind kind = Kind::other;
        std::string domain;   // "defaults"
        std::string fallback; // a colour row's colour when nothing is stored
    };

    // The row storing `key` on any page of the installed pane; nothing when none does.
    static std::optional<Row> find(const std::string& key);
    // What a colour picker reports: eight upper-case hex digits, red green blue
    // alpha, from RRGGBB or RRGGBBAA with an optional "#"; nothing for anything else.
    static std::optional<std::string> colourValue(std::string text);
};

} // namespace sim
