#include "Wallpapers.h"

#include "PreferenceKeys.h"

#include <UIKit/ImageBitmap.h>
#include <UIKit/UIImage.h>

#include <algorithm>
#include <cstring>
#include <vector>

namespace sim {

namespace {

const std::string kSourceFolder = kPreferencesFolder;

std::string fileName(const Wallpapers::Slot& slot) {
    return wallpaperFileName(slot.name);
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

struct Frame {
    std::uint64_t width = 0;
    std::uint64_t height = 0;
    unsigned components = 0; // JPEG only
};

// The size the picture claims, from the PNG header or the JPEG frame marker.
std::optional<Frame> frameOf(std::span<const std::uint8_t> bytes) {
    if (bytes[0] == 0x89)
        return Frame{bigEndian32(bytes, 16), bigEndian32(bytes, 20), 0};
    for (std::size_t at = 2; at + 4 <= bytes.size();) {
        if (bytes[at] != 0xFF)
            return std::nullopt;
        const std::uint8_t marker = bytes[at + 1];
        const std::size_t length = std::size_t(bytes[at + 2]) << 8 | bytes[at + 3];
        const bool startOfFrame =
            marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
        if (startOfFrame && at + 10 <= bytes.size())
            return Frame{std::uint64_t(bytes[at + 7]) << 8 | bytes[at + 8],
                         std::uint64_t(bytes[at + 5]) << 8 | bytes[at + 6], bytes[at + 9]};
        at += 2 + length;
    }
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
    std::optional<std::string> structure;
    if (bytes.size() >= 3 && bytes[0] == 0xFF && bytes[1] == 0xD8 && bytes[2] == 0xFF)
        structure = jpegProblem(bytes);
    else if (bytes.size() >= 8 &&
             std::equal(std::begin(kPngSignature), std::end(kPngSignature), bytes.begin()))
        structure = pngProblem(bytes);
    else
        return bytes.empty() ? "empty" : "neither JPEG nor PNG data";
    if (structure)
        return structure;
    const auto frame = frameOf(bytes);
    if (frame && (frame->width > static_cast<std::uint64_t>(uikit::kMaxImageSide) ||
                  frame->height > static_cast<std::uint64_t>(uikit::kMaxImageSide) ||
                  frame->width * frame->height * 4 > uikit::kMaxImageBytes))
        return std::to_string(frame->width) + "x" + std::to_string(frame->height) +
               " pixels, over what Messages decodes (" + std::to_string(uikit::kMaxImageSide) +
               " pixels a side, " + std::to_string(uikit::kMaxImageBytes / (1024 * 1024)) + " MB decoded)";
    // Decoded as Messages decodes it: a sound structure may still hold no picture.
    if (!UIImage::imageWithData(std::vector<std::uint8_t>(bytes.begin(), bytes.end()))) {
        if (frame && frame->components == 4)
            return "a CMYK JPEG, which Messages does not decode";
        return "damaged picture data that cannot be decoded";
    }
    return std::nullopt;
}

} // namespace sim
