#pragma once
// PNG straight from a bitmap's rows with libpng: no encoded copy in memory
// when writing to a file, one row of conversion at a time.
#include <UIKit/ImageBitmap.h>
#include <UIKit/UIKitDefines.h>

#include <cstdint>
#include <cstdio>
#include <optional>
#include <vector>

namespace uikit {

class UIKIT_EXTERN PngWriter {
  public:
    // zlib's level, libpng's filter mask (PNG_FILTER_* values) and zlib's
    // memory level (1 to 9: the size of its match index and symbol buffer).
    struct Settings {
        int level;
        int filters;
        int memoryLevel = 8;
    };
    // Picked by measurement on the phone's screens (bench/PngBench.cpp):
    // the smallest file among the encoders within 1.5 times the fastest one.
    static const Settings kDefault;

    // The bitmap as PNG: RGB when every pixel is opaque, else RGBA with the
    // alpha divided out as PNG stores it. Null for an empty bitmap.
    static std::optional<std::vector<std::uint8_t>> encode(const ImageBitmap& bitmap,
                                                           Settings settings = kDefault);
    // The same, written into an open file; false when libpng or the file fails.
    static bool write(const ImageBitmap& bitmap, std::FILE* file, Settings settings = kDefault);
};

} // namespace uikit
