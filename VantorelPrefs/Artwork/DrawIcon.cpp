// Draws the settings pane's row icon at build time: the banner's wash in the
// rounded square Settings gives every row, with one white message bubble.
//   vantorelprefs-icon PIXELS OUTPUT.png
#include "ArtworkCanvas.h"

#include <cairo.h>

#include <cstdio>
#include <cstdlib>

using artwork::roundedRect;

int main(int argc, char** argv) {
    const int size = argc == 3 ? std::atoi(argv[1]) : 0;
    if (size < 16 || size > 1024) {
        std::fprintf(stderr, "usage: vantorelprefs-icon PIXELS OUTPUT.png\n");
        return 2;
    }
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, size, size);
    cairo_t* cr = cairo_create(surface);
    const double s = size;

    // System orange to system pink, as on the banner.
    cairo_pattern_t* wash = artwork::createWash(s, s);
    roundedRect(cr, 0, 0, s, s, s * 0.225);
    cairo_set_source(cr, wash);
    cairo_fill(cr);
    cairo_pattern_destroy(wash);

    // A bubble with its tail at the lower left.
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
    roundedRect(cr, s * 0.18, s * 0.24, s * 0.64, s * 0.42, s * 0.21);
    cairo_move_to(cr, s * 0.26, s * 0.56);
    cairo_curve_to(cr, s * 0.27, s * 0.70, s * 0.22, s * 0.76, s * 0.16, s * 0.78);
    cairo_curve_to(cr, s * 0.30, s * 0.78, s * 0.38, s * 0.72, s * 0.42, s * 0.64);
    cairo_close_path(cr);
    cairo_set_source_rgb(cr, 1, 1, 1);
    cairo_fill(cr);

    cairo_destroy(cr);
    return artwork::writeAndRelease(surface, argv[2], "vantorelprefs-icon");
}
