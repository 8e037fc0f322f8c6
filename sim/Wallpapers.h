#pragma once
#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace sim {

// The two pictures the pane writes beside the preference file and SpringBoard
// copies into the Messages container.
class Wallpapers {
  public:
    struct Slot {
        const char* name;      // as theme files and file names spell it
        const char* switchKey; // the engine's switch that shows it
    };
    static constexpr std::array<Slot, 2> kSlots{
        {{"chatWallpaper", "enableChatWallpaper"}, {"conversationWallpaper", "enableConversationWallpaper"}}};

    static const Slot* find(const std::string& name);
    // The pane's file (device path).
    static std::string sourcePath(const Slot& slot);
    // The copy in a Documents folder (device path ending in "/").
    static std::string copyPath(const std::string& documents, const Slot& slot);
    // Why the bytes are not a picture the device decodes; nothing when they are.
    // Judged by structure (JPEG start and end markers, PNG signature and header
    // chunk), by the size the picture claims, then by decoding it as Messages does.
    static std::optional<std::string> problem(std::span<const std::uint8_t> bytes);
};

} // namespace sim
