#include "Wallpapers.h"

#include "PreferenceKeys.h"

#include <algorithm>
#include <cstring>

namespace sim {

namespace {

const std::string kSourceFolder = "/var/mobile/Library/Preferences/";

std::string fileName(const Wallpapers::Slot& slot) {
    return std::string(kPreferenceDomain) + "-" + slot.name + ".png";
}

uint32_t bigEndian32(std::span<const std::uint8_t> bytes, std::size_t at) {
    return uint32_t(bytes[at]) << 24 | uint32_t(bytes[at + 1]) << 16 | uint32_t(bytes[at + 2]) << 8 |
           uint32_t(bytes[at + 3]);
}

std::optional<std::string> jpegProblem(std::span<const std::uint8_t> bytes) {
    // Writers may pad after the end marker; the marker must still be there.
    std::size_t end = bytes.size();
    while (end > 4 && bytes[end - 1] == 0)
        --end;
    if (end < 4 || bytes[end - 2] != 0xFF || bytes[end - 1] != 0xD9)
        return "a JPEG without its end marker (cut short?)";
    return std::nullopt;
}

std::optional<std::string> pngProblem(std::span<const std::uint8_t> bytes) {
    static constexpr std::uint8_t kIend[] = {'I', 'E', 'N', 'D', 0xAE, 0x42, 0x60, 0x82};
    if (bytes.size() < 8 + 25 + 12 || bigEndian32(bytes, 8) != 13 || std::memcmp(&bytes[12], "IHDR", 4) != 0)
        return "a PNG without its header chunk";
    if (bigEndian32(bytes, 16) == 0 || bigEndian32(bytes, 20) == 0)
        return "a PNG of no pixels";
    if (!std::equal(std::begin(kIend), std::end(kIend), bytes.end() - 8))
        return "a PNG without its end chunk (cut short?)";
    return std::nullopt;
}

} // namespace

const Wallpapers::Slot* Wallpapers::find(const std::string& name) {
    auto it = std::find_if(kSlots.begin(), kSlots.end(), [&](const Slot& slot) { return name == slot.name; });
    return it == kSlots.end() ? nullptr : &*it;
}

std::string Wallpapers::sourcePath(const Slot& slot) {
    return kSourceFolder + fileName(slot);
}

std::string Wallpapers::copyPath(const std::string& documents, const Slot& slot) {
    return documents + fileName(slot);
}

std::optional<std::string> Wallpapers::problem(std::span<const std::uint8_t> bytes) {
    static constexpr std::uint8_t kPngSignature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    if (bytes.size() >= 3 && bytes[0] == 0xFF && bytes[1] == 0xD8 && bytes[2] == 0xFF)
        return jpegProblem(bytes);
    if (bytes.size() >= 8 && std::equal(std::begin(kPngSignature), std::end(kPngSignature), bytes.begin()))
        return pngProblem(bytes);
    if (bytes.empty())
        return "empty";
    return "neither JPEG nor PNG data";
}

} // namespace sim
