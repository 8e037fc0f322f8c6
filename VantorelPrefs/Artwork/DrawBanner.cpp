// Draws the settings pane's banner at build time: the accent colours in a
// diagonal wash, a few message bubbles and the product's name.
//   vantorelprefs-banner OUTPUT.png
#include "ArtworkCanvas.h"

#include <cairo.h>
#include <pango/pangocairo.h>

#include <cstdio>

namespace {

using artwork::roundedRect;

// Three pixels per point for a 360 by 150 point banner.
constexpr int kWidth = 1080;
constexpr int kHeight = 450;

// A speech bubble with its tail at the lower left (or right, mirrored).
void bubble(cairo_t* cr, double x, double y, double w, double h, bool tailRight, double alpha) {
    // Body and tail as one shape, so the overlap is not painted twice.
    cairo_push_group(cr);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
    roundedRect(cr, x, y, w, h, h / 2);
    const double tailX = tailRight ? x + w - h * 0.35 : x + h * 0.35;
    const double direction = tailRight ? 1 : -1;
    cairo_move_to(cr, tailX - direction * h * 0.2, y + h * 0.7);
    cairo_curve_to(cr, tailX, y + h, tailX + direction * h * 0.3, y + h * 1.08, tailX + direction * h * 0.42,
                   y + h * 1.05);
    cairo_curve_to(cr, tailX + direction * h * 0.2, y + h * 0.95, tailX + direction * h * 0.15, y + h * 0.8,
                   tailX + direction * h * 0.1, y + h * 0.7);
    cairo_close_path(cr);
    cairo_set_source_rgb(cr, 1, 1, 1);
    cairo_fill(cr);
    cairo_pop_group_to_source(cr);
    cairo_paint_with_alpha(cr, alpha);
}

void text(cairo_t* cr, const char* markup, const char* font, double x, double y, double alpha) {
    PangoLayout* layout = pango_cairo_create_layout(cr);
    PangoFontDescription* description = pango_font_description_from_string(font);
    pango_layout_set_font_description(layout, description);
    pango_layout_set_markup(layout, markup, -1);
    cairo_move_to(cr, x, y);
    cairo_set_source_rgba(cr, 1, 1, 1, alpha);
    pango_cairo_show_layout(cr, layout);
    pango_font_description_free(description);
    g_object_unref(layout);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: vantorelprefs-banner OUTPUT.png\n");
        return 2;
    }
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, kWidth, kHeight);
    cairo_t* cr = cairo_create(surface);

    // System orange to system pink.
    cairo_pattern_t* wash = artwork::createWash(kWidth, kHeight);
    cairo_set_source(cr, wash);
    cairo_paint(cr);
    cairo_pattern_destroy(wash);

    bubble(cr, 640, 70, 300, 96, false, 0.28);
    bubble(cr, 760, 190, 250, 84, true, 0.4);
    bubble(cr, 690, 300, 200, 72, false, 0.22);

    text(cr, "Vantorel", "Inter Bold 96px", 80, 120, 1.0);
    text(cr, "Your Messages, your colours", "Inter 38px", 84, 262, 0.9);

    cairo_destroy(cr);
    return artwork::writeAndRelease(surface, argv[1], "vantorelprefs-banner");
}
