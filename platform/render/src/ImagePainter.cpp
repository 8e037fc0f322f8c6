#include "ImagePainter.h"

#include "SymbolPath.h"

#include <algorithm>

namespace render {

CGRect ImagePainter::placement(CGSize image, CGRect bounds, UIViewContentMode mode) {
    const double bw = bounds.size.width, bh = bounds.size.height;
    if (image.width <= 0 || image.height <= 0)
        return bounds;
    double scale = 1.0;
    switch (mode) {
    case UIViewContentModeScaleToFill:
        return bounds;
    case UIViewContentModeScaleAspectFit:
        scale = std::min(bw / image.width, bh / image.height);
        break;
    case UIViewContentModeScaleAspectFill:
        scale = std::max(bw / image.width, bh / image.height);
        break;
    default:
        break; // centred at its own size
    }
    const double w = image.width * scale, h = image.height * scale;
    return CGRectMake(bounds.origin.x + (bw - w) / 2, bounds.origin.y + (bh - h) / 2, w, h);
}

void ImagePainter::paint(const Canvas& canvas, const UIImage& image, CGRect destination,
                         std::optional<UIColor::Components> tint) {
    cairo_t* cr = canvas.cr();
    const double w = destination.size.width, h = destination.size.height;
    if (w <= 0 || h <= 0)
        return;
    const bool asTemplate = image.isTemplate() && tint;
    cairo_save(cr);
    if (const uikit::SymbolShape* symbol = image.symbol()) {
        // Drawn in a group no larger than the symbol, since a layer may erase.
        cairo_rectangle(cr, destination.origin.x, destination.origin.y, w, h);
        cairo_clip(cr);
        cairo_push_group(cr);
        cairo_translate(cr, destination.origin.x, destination.origin.y);
        cairo_scale(cr, w / symbol->width, h / symbol->height);
        canvas.setSource(asTemplate ? *tint : canvas.resolve(UIColor::labelColor()));
        SymbolPath::paint(cr, *symbol);
        cairo_pop_group_to_source(cr);
        cairo_paint(cr);
    } else if (const uikit::ImageBitmap* bitmap = image.bitmap()) {
        auto* pixels = reinterpret_cast<unsigned char*>(const_cast<std::uint32_t*>(bitmap->pixels.data()));
        cairo_surface_t* surface = cairo_image_surface_create_for_data(
            pixels, CAIRO_FORMAT_ARGB32, bitmap->width, bitmap->height, bitmap->strideBytes());
        cairo_pattern_t* pattern = cairo_pattern_create_for_surface(surface);
        cairo_matrix_t matrix;
        cairo_matrix_init_scale(&matrix, bitmap->width / w, bitmap->height / h);
        cairo_matrix_translate(&matrix, -destination.origin.x, -destination.origin.y);
        cairo_pattern_set_matrix(pattern, &matrix);
        cairo_pattern_set_extend(pattern, CAIRO_EXTEND_PAD); // no faded rim at the edges
        cairo_pattern_set_filter(pattern, CAIRO_FILTER_GOOD);
        cairo_rectangle(cr, destination.origin.x, destination.origin.y, w, h);
        cairo_clip(cr);
        if (asTemplate) {
            canvas.setSource(*tint);
            cairo_mask(cr, pattern);
        } else {
            cairo_set_source(cr, pattern);
            cairo_paint(cr);
        }
        cairo_pattern_destroy(pattern);
        cairo_surface_destroy(surface);
    }
    cairo_restore(cr);
}

void ImagePainter::paintImageView(const Canvas& canvas, UIImageView* view) {
    rt::Ref<UIImage> image = view->image();
    if (!image)
        return;
    const CGRect destination = placement(image->size(), view->bounds(), view->contentMode());
    rt::Ref<UIColor> tint = view->tintColor();
    paint(canvas, *image, destination, canvas.resolve(tint.get()));
}

} // namespace render
