#include <Render/Screenshot.h>

#include "Canvas.h"
#include "ViewPainter.h"

#include <UIKit/PngWriter.h>
#include <UIKit/UITraitCollection.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <sys/mman.h>
#include <unistd.h>

namespace render {

namespace {

// A fresh picture of several megabytes is first touched a page at a time,
// thousands of faults; asked for in 2 MiB pages where the system allows, its
// whole aligned middle comes in a few. Only advice: pages are as before.
void adviseHugePages(void* memory, size_t bytes) {
    constexpr std::uintptr_t kHuge = 2 * 1024 * 1024;
    const auto begin = reinterpret_cast<std::uintptr_t>(memory);
    const std::uintptr_t first = (begin + kHuge - 1) & ~(kHuge - 1), last = (begin + bytes) & ~(kHuge - 1);
    if (last > first)
        ::madvise(reinterpret_cast<void*>(first), last - first, MADV_HUGEPAGE);
}

} // namespace

rt::Ref<UIImage> Screenshot::draw(UIView* view, double scale) {
    if (!view || !(scale > 0) || !std::isfinite(scale))
        return nullptr;
    const CGRect bounds = view->bounds();
    const double width = std::ceil(bounds.size.width * scale), height = std::ceil(bounds.size.height * scale);
    if (!(width >= 1 && height >= 1 && width <= uikit::kMaxImageSide && height <= uikit::kMaxImageSide &&
          width * height * 4 <= static_cast<double>(uikit::kMaxImageBytes)))
        return nullptr;

    uikit::ImageBitmap bitmap;
    bitmap.width = static_cast<int>(width);
    bitmap.height = static_cast<int>(height);
    const size_t count = static_cast<size_t>(bitmap.width) * bitmap.height;
    bitmap.pixels.reserve(count);
    adviseHugePages(bitmap.pixels.data(), count * sizeof(std::uint32_t));
    bitmap.pixels.assign(count, 0xFF000000u); // the screen's black
    cairo_surface_t* surface = cairo_image_surface_create_for_data(
        reinterpret_cast<unsigned char*>(bitmap.pixels.data()), CAIRO_FORMAT_ARGB32, bitmap.width,
        bitmap.height, bitmap.strideBytes());
    cairo_t* cr = cairo_create(surface);
    cairo_scale(cr, scale, scale);
    {
        Canvas canvas(cr, scale, UITraitCollection::currentUserInterfaceStyle());
        ViewPainter painter(canvas);
        if (!view->isHidden() && view->alpha() > 0) {
            // The view at the origin: its frame's position and transform are
            // its superview's business.
            const double alpha = std::min(view->alpha(), 1.0);
            if (alpha < 1)
                cairo_push_group(cr);
            painter.paintContents(view);
            if (alpha < 1) {
                cairo_pop_group_to_source(cr);
                cairo_paint_with_alpha(cr, alpha);
            }
        }
    }
    cairo_destroy(cr);
    cairo_surface_flush(surface);
    cairo_surface_destroy(surface);
    return UIImage::imageWithBitmap(std::move(bitmap), scale);
}

ns::Result<void> Screenshot::writePNG(UIWindow* window, const std::string& hostPath, double scale) {
    rt::Ref<UIImage> image = draw(window, scale);
    if (!image)
        return ns::Failure{ns::FailureKind::Malformed, hostPath,
                           "cannot draw the window at scale " + std::to_string(scale)};
    // Encoded straight from the drawn bitmap into a file beside the target,
    // then renamed over it, so no one sees half a file.
    const std::string temporary = hostPath + ".part" + std::to_string(getpid());
    std::FILE* out = std::fopen(temporary.c_str(), "wb");
    if (!out)
        return ns::Failure{ns::FailureKind::Unwritable, hostPath, "cannot write the picture"};
    const bool encoded = uikit::PngWriter::write(*image->bitmap(), out);
    const bool closed = std::fclose(out) == 0;
    if (!encoded || !closed) {
        std::remove(temporary.c_str());
        return ns::Failure{ns::FailureKind::Unwritable, hostPath, "cannot write the picture"};
    }
    if (std::rename(temporary.c_str(), hostPath.c_str()) != 0) {
        std::remove(temporary.c_str());
        return ns::Failure{ns::FailureKind::Unwritable, hostPath, "cannot write the picture"};
    }
    return {};
}

} // namespace render
