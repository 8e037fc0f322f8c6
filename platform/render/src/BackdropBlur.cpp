#include "BackdropBlur.h"

#include <Render/BoxBlur.h>

#include <algorithm>
#include <cmath>

namespace render {

int BackdropBlur::reduction(double sigmaPixels) {
    if (sigmaPixels >= 8)
        return 4;
    return sigmaPixels >= 4 ? 2 : 1;
}

void BackdropBlur::paint(const Canvas& canvas, const BlurRecipe& recipe) {
    cairo_t* cr = canvas.cr();
    cairo_save(cr);
    cairo_clip_preserve(cr);
    double x0, y0, x1, y1;
    cairo_clip_extents(cr, &x0, &y0, &x1, &y1);

    cairo_surface_t* target = cairo_get_group_target(cr);
    cairo_surface_flush(target);
    if (x1 > x0 && y1 > y0 && cairo_surface_get_type(target) == CAIRO_SURFACE_TYPE_IMAGE &&
        cairo_image_surface_get_format(target) == CAIRO_FORMAT_ARGB32) {
        // The clip's box in the target's pixels (a group's surface is offset).
        double corners[4][2] = {{x0, y0}, {x1, y0}, {x0, y1}, {x1, y1}};
        double left = INFINITY, top = INFINITY, right = -INFINITY, bottom = -INFINITY;
        for (auto& corner : corners) {
            cairo_user_to_device(cr, &corner[0], &corner[1]);
            left = std::min(left, corner[0]), right = std::max(right, corner[0]);
            top = std::min(top, corner[1]), bottom = std::max(bottom, corner[1]);
        }
        double offsetX = 0, offsetY = 0;
        cairo_surface_get_device_offset(target, &offsetX, &offsetY);
        double unitX = 1, unitY = 0;
        cairo_user_to_device_distance(cr, &unitX, &unitY);
        const double sigma = recipe.radius * std::hypot(unitX, unitY);
        // Pixels up to three deviations outside still blur into the edge.
        const int pad = static_cast<int>(std::ceil(3 * sigma));
        const int surfaceWidth = cairo_image_surface_get_width(target);
        const int surfaceHeight = cairo_image_surface_get_height(target);
        const int rx = std::clamp(static_cast<int>(std::floor(left + offsetX)) - pad, 0, surfaceWidth);
        const int ry = std::clamp(static_cast<int>(std::floor(top + offsetY)) - pad, 0, surfaceHeight);
        const int rw = std::clamp(static_cast<int>(std::ceil(right + offsetX)) + pad, 0, surfaceWidth) - rx;
        const int rh = std::clamp(static_cast<int>(std::ceil(bottom + offsetY)) + pad, 0, surfaceHeight) - ry;
        if (rw > 0 && rh > 0) {
            const int factor = reduction(sigma);
            const int stride = cairo_image_surface_get_stride(target) / 4;
            const auto* pixels = reinterpret_cast<const std::uint32_t*>(cairo_image_surface_get_data(target));
            uikit::ImageBitmap small = BoxBlur::downsample(
                pixels + static_cast<std::ptrdiff_t>(ry) * stride + rx, rw, rh, stride, factor);
            BoxBlur::gaussian(small, sigma / factor);

            cairo_surface_t* blurred = cairo_image_surface_create_for_data(
                reinterpret_cast<unsigned char*>(small.pixels.data()), CAIRO_FORMAT_ARGB32, small.width,
                small.height, small.strideBytes());
            cairo_pattern_t* pattern = cairo_pattern_create_for_surface(blurred);
            // Device space to the small picture: into the target's pixels, then down.
            cairo_matrix_t matrix;
            cairo_matrix_init_scale(&matrix, 1.0 / factor, 1.0 / factor);
            cairo_matrix_translate(&matrix, offsetX - rx, offsetY - ry);
            cairo_pattern_set_matrix(pattern, &matrix);
            cairo_pattern_set_filter(pattern, CAIRO_FILTER_BILINEAR);
            cairo_pattern_set_extend(pattern, CAIRO_EXTEND_PAD);
            cairo_save(cr);
            cairo_identity_matrix(cr);
            cairo_set_source(cr, pattern);
            cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
            cairo_paint(cr);
            cairo_restore(cr);
            cairo_pattern_destroy(pattern);
            cairo_surface_destroy(blurred);
        }
    }
    canvas.setSource(recipe.tint);
    cairo_fill(cr);
    cairo_restore(cr);
}

} // namespace render
