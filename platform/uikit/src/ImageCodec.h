#pragma once
// Reading and writing image files: PNG through cairo, JPEG through TurboJPEG.
#include <UIKit/ImageBitmap.h>

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace uikit {

class ImageCodec {
  public:
    enum class Format { unknown, png, jpeg };
    // What the data is, from its first bytes.
    static Format sniff(std::span<const std::uint8_t> data);
    // Nothing when the data is neither, damaged, or over the size limits.
    static std::optional<ImageBitmap> decode(std::span<const std::uint8_t> data);
    static std::optional<std::vector<std::uint8_t>> encodePNG(const ImageBitmap& bitmap);
    // `quality` 1 (strongest compression) to 100, TurboJPEG's scale.
    static std::optional<std::vector<std::uint8_t>> encodeJPEG(const ImageBitmap& bitmap, int quality);
    // Whether a picture of this size may be decoded.
    static bool withinLimits(std::uint64_t width, std::uint64_t height);

  private:
    static std::optional<ImageBitmap> decodePNG(std::span<const std::uint8_t> data);
    static std::optional<ImageBitmap> decodeJPEG(std::span<const std::uint8_t> data);
};

} // namespace uikit
