#include <UIKit/UIImage.h>

#include "ImageCodec.h"

#include <Foundation/DevicePath.h>
#include <Foundation/NSFileManager.h>

#include <algorithm>
#include <cmath>
#include <filesystem>

namespace {

rt::Ref<UIImage> fromData(std::span<const std::uint8_t> data) {
    std::optional<uikit::ImageBitmap> bitmap = uikit::ImageCodec::decode(data);
    if (!bitmap)
        return nullptr;
    return UIImage::imageWithBitmap(std::move(*bitmap));
}

} // namespace

RT_DEFINE_CLASS(UIImage, nullptr)

rt::Ref<UIImage> UIImage::imageWithContentsOfFileImpl(const std::string& path) {
    // A file larger than the largest picture's pixels is not read at all.
    ns::Result<std::string> host = ns::DevicePath::toHost(path);
    std::error_code error;
    if (!host || std::filesystem::file_size(host.value(), error) > uikit::kMaxImageBytes || error)
        return nullptr;
    std::optional<std::vector<std::uint8_t>> data = NSFileManager::defaultManager()->contentsAtPath(path);
    return data ? fromData(*data) : nullptr;
}

rt::Ref<UIImage> UIImage::imageWithDataImpl(const std::vector<std::uint8_t>& data) {
    return fromData(data);
}

rt::Ref<UIImage> UIImage::systemImageNamedImpl(const std::string& name) {
    const uikit::SymbolShape* symbol = uikit::findSymbolShape(name);
    if (!symbol)
        return nullptr;
    rt::Ref<UIImage> image = rt::make<UIImage>();
    image->m_symbol = symbol;
    return image;
}

rt::Ref<UIImage> UIImage::imageWithBitmap(uikit::ImageBitmap bitmap, CGFloat scale) {
    if (bitmap.width <= 0 || bitmap.height <= 0 ||
        bitmap.pixels.size() != static_cast<size_t>(bitmap.width) * bitmap.height)
        return nullptr;
    rt::Ref<UIImage> image = rt::make<UIImage>();
    image->m_bitmap = std::make_shared<const uikit::ImageBitmap>(std::move(bitmap));
    image->m_scale = scale > 0 ? scale : 1.0;
    return image;
}

rt::Ref<UIImage> UIImage::imageWithRenderingMode(UIImageRenderingMode mode) const {
    rt::Ref<UIImage> image = rt::make<UIImage>();
    image->m_bitmap = m_bitmap;
    image->m_symbol = m_symbol;
    image->m_scale = m_scale;
    image->m_renderingMode = mode;
    return image;
}

CGSize UIImage::size() const {
    if (m_symbol)
        return {m_symbol->width * uikit::kSymbolPointsPerUnit,
                m_symbol->height * uikit::kSymbolPointsPerUnit};
    return {m_bitmap->width / m_scale, m_bitmap->height / m_scale};
}

bool UIImage::isTemplate() const {
    if (m_renderingMode == UIImageRenderingModeAutomatic)
        return m_symbol != nullptr;
    return m_renderingMode == UIImageRenderingModeAlwaysTemplate;
}

std::optional<std::vector<std::uint8_t>> UIImagePNGRepresentation(const UIImage* image) {
    if (!image || !image->bitmap())
        return std::nullopt;
    return uikit::ImageCodec::encodePNG(*image->bitmap());
}

std::optional<std::vector<std::uint8_t>> UIImageJPEGRepresentation(const UIImage* image,
                                                                   CGFloat compressionQuality) {
    if (!image || !image->bitmap())
        return std::nullopt;
    // 0.0 asks for the smallest file: TurboJPEG's quality 1, not its default.
    const CGFloat quality =
        std::isnan(compressionQuality) ? 0.0 : std::clamp<CGFloat>(compressionQuality, 0, 1);
    return uikit::ImageCodec::encodeJPEG(*image->bitmap(), 1 + static_cast<int>(std::lround(quality * 99)));
}
