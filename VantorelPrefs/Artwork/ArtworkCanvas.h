#pragma once
// What the pane's build-time artwork shares: its rounded shapes, its colour
// wash and the way a finished picture is written.
#include <cairo.h>

#include <cstdio>
#include <numbers>

namespace artwork {

inline void roundedRect(cairo_t* cr, double x, double y, double w, double h, double r) {
    cairo_new_sub_path(cr);
    cairo_arc(cr, x + w - r, y + r, r, -std::numbers::pi / 2, 0);
    cairo_arc(cr, x + w - r, y + h - r, r, 0, std::numbers::pi / 2);
    cairo_arc(cr, x + r, y + h - r, r, std::numbers::pi / 2, std::numbers::pi);
    cairo_arc(cr, x + r, y + r, r, std::numbers::pi, 3 * std::numbers::pi / 2);
    cairo_close_path(cr);
}

// System orange at the top left to system pink at (width, height). The
// caller destroys it.
inline cairo_pattern_t* createWash(double width, double height) {
    cairo_pattern_t* wash = cairo_pattern_create_linear(0, 0, width, height);
    cairo_pattern_add_color_stop_rgb(wash, 0, 1.0, 149 / 255.0, 0.0);
    cairo_pattern_add_color_stop_rgb(wash, 1, 1.0, 45 / 255.0, 85 / 255.0);
    return wash;
}

// Writes the surface and releases it; the tool's exit status.
inline int writeAndRelease(cairo_surface_t* surface, const char* path, const char* tool) {
    const cairo_status_t written = cairo_surface_write_to_png(surface, path);
    cairo_surface_destroy(surface);
    if (written != CAIRO_STATUS_SUCCESS) {
        std::fprintf(stderr, "%s: %s: %s\n", tool, path, cairo_status_to_string(written));
        return 1;
    }
    return 0;
}

} // namespace artwork
