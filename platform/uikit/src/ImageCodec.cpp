#include "ImageCodec.h"

#include <UIKit/PngWriter.h>

#include <cairo.h>
#include <turbojpeg.h>

#include <algorithm>
#include <bit>
#include <cstring>
#include <memory>

namespace uikit {

static_assert(std::endian::native == std::endian::little,
              "pixel words are read as TurboJPEG's BGRX/BGRA byte order");

namespace {

constexpr std::uint8_t kPNGSignature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};

std::uint32_t bigEndian32(const std::uint8_t* bytes) {
    return std::uint32_t(bytes[0]) << 24 | std::uint32_t(bytes[1]) << 16 | std::uint32_t(bytes[2]) << 8 |
           bytes[3];
}

struct SurfaceRelease {
    void operator()(cairo_surface_t* surface) const { cairo_surface_destroy(surface); }
};
using Surface = std::unique_ptr<cairo_surface_t, SurfaceRelease>;

struct JPEGRelease {
    void operator()(void* handle) const { tjDestroy(handle); }
};
using JPEGHandle = std::unique_ptr<void, JPEGRelease>;

// cairo's surface over the bitmap's own pixels.
Surface surfaceOver(const ImageBitmap& bitmap) {
    auto* pixels = reinterpret_cast<unsigned char*>(const_cast<std::uint32_t*>(bitmap.pixels.data()));
    return Surface(cairo_image_surface_create_for_data(pixels, CAIRO_FORMAT_ARGB32, bitmap.width,
                                                       bitmap.height, bitmap.strideBytes()));
}

} // namespace

bool ImageCodec::withinLimits(std::uint64_t width, std::uint64_t height) {
    return width > 0 && height > 0 && width <= kMaxImageSide && height <= kMaxImageSide &&
           width * height * 4 <= kMaxImageBytes;
}

ImageCodec::Format ImageCodec::sniff(std::span<const std::uint8_t> data) {
    if (data.size() >= sizeof kPNGSignature &&
        std::equal(std::begin(kPNGSignature), std::end(kPNGSignature), data.begin()))
        return Format::png;
    if (data.size() >= 3 && data[0] == 0xFF && data[1] == 0xD8 && data[2] == 0xFF)
        return Format::jpeg;
    return Format::unknown;
}

std::optional<ImageBitmap> ImageCodec::decode(std::span<const std::uint8_t> data) {
    switch (sniff(data)) {
    case Format::png:
        return decodePNG(data);
    case Format::jpeg:
        return decodeJPEG(data);
    case Format::unknown:
        break;
    }
    return std::nullopt;
}

std::optional<ImageBitmap> ImageCodec::decodePNG(std::span<const std::uint8_t> data) {
    // The header chunk comes first; its size is checked before anything is decoded.
    if (data.size() < 33 || std::memcmp(data.data() + 12, "IHDR", 4) != 0)
        return std::nullopt;
    if (!withinLimits(bigEndian32(data.data() + 16), bigEndian32(data.data() + 20)))
        return std::nullopt;

    struct Reader {
        std::span<const std::uint8_t> data;
        size_t offset = 0;
    } reader{data};
    auto read = [](void* closure, unsigned char* out, unsigned int length) -> cairo_status_t {
        auto* r = static_cast<Reader*>(closure);
        if (r->data.size() - r->offset < length)
            return CAIRO_STATUS_READ_ERROR;
        std::memcpy(out, r->data.data() + r->offset, length);
        r->offset += length;
        return CAIRO_STATUS_SUCCESS;
    };
    Surface decoded(cairo_image_surface_create_from_png_stream(read, &reader));
    if (cairo_surface_status(decoded.get()) != CAIRO_STATUS_SUCCESS)
        return std::nullopt;

    ImageBitmap bitmap;
    bitmap.width = cairo_image_surface_get_width(decoded.get());
    bitmap.height = cairo_image_surface_get_height(decoded.get());
    if (!withinLimits(bitmap.width, bitmap.height))
        return std::nullopt;
    bitmap.pixels.assign(static_cast<size_t>(bitmap.width) * bitmap.height, 0);
    // Whatever cairo chose (with or without alpha), painted into ARGB32.
    Surface target = surfaceOver(bitmap);
    cairo_t* cr = cairo_create(target.get());
    cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
    cairo_set_source_surface(cr, decoded.get(), 0, 0);
    cairo_paint(cr);
    cairo_destroy(cr);
    cairo_surface_flush(target.get());
    return bitmap;
}

std::optional<ImageBitmap> ImageCodec::decodeJPEG(std::span<const std::uint8_t> data) {
    JPEGHandle handle(tjInitDecompress());
    if (!handle)
        return std::nullopt;
    auto* bytes = const_cast<unsigned char*>(data.data());
    const auto size = static_cast<unsigned long>(data.size());
    int width = 0, height = 0, subsampling = 0, colourspace = 0;
    if (tjDecompressHeader3(handle.get(), bytes, size, &width, &height, &subsampling, &colourspace) != 0)
        return std::nullopt;
    if (width <= 0 || height <= 0 || !withinLimits(width, height))
        return std::nullopt;
    ImageBitmap bitmap;
    bitmap.width = width;
    bitmap.height = height;
    bitmap.pixels.assign(static_cast<size_t>(width) * height, 0);
    // A warning (a file cut short, say) still leaves a picture, as the device shows one.
    if (tjDecompress2(handle.get(), bytes, size, reinterpret_cast<unsigned char*>(bitmap.pixels.data()),
                      width, bitmap.strideBytes(), height, TJPF_BGRX, 0) != 0 &&
        tjGetErrorCode(handle.get()) != TJERR_WARNING)
        return std::nullopt;
    for (std::uint32_t& pixel : bitmap.pixels)
        pixel |= 0xFF000000u; // JPEG has no alpha
    return bitmap;
}

std::optional<std::vector<std::uint8_t>> ImageCodec::encodePNG(const ImageBitmap& bitmap) {
    return PngWriter::encode(bitmap);
}

std::optional<std::vector<std::uint8_t>> ImageCodec::encodeJPEG(const ImageBitmap& bitmap, int quality) {
    if (bitmap.width <= 0 || bitmap.height <= 0)
        return std::nullopt;
    JPEGHandle handle(tjInitCompress());
    if (!handle)
        return std::nullopt;
    unsigned char* jpeg = nullptr;
    unsigned long size = 0;
    // Premultiplied colour with the alpha dropped is the picture over black.
    const auto* pixels = reinterpret_cast<const unsigned char*>(bitmap.pixels.data());
    const int status = tjCompress2(handle.get(), pixels, bitmap.width, bitmap.strideBytes(), bitmap.height,
                                   TJPF_BGRX, &jpeg, &size, TJSAMP_420, std::clamp(quality, 1, 100), 0);
    std::optional<std::vector<std::uint8_t>> out;
    if (status == 0)
        out.emplace(jpeg, jpeg + size);
    tjFree(jpeg);
    return out;
}

} // namespace uikit
