#pragma once
// What the simulator knows of the settings pane's own rows, read from its page
// layouts in the device: which rows hold a picture. The Settings app knows
// none of this; the pane's cells do, and until they draw it the command line
// stands in for them.
#include <optional>
#include <string>

namespace sim {

class PaneRows {
  public:
    enum class Kind { other, picture };
    struct Row {
        Kind kind = Kind::other;
        std::string domain; // "defaults"
    };

    // The row storing `key` on any page of the installed pane; nothing when none does.
    static std::optional<Row> find(const std::string& key);
    // Where a picture row keeps its picture (a device path).
    static std::string picturePath(const Row& row, const std::string& key);
};

} // namespace sim
