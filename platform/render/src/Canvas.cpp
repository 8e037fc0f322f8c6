#include "Canvas.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace render {

namespace {

// UIKit's weights from -1 to 1 onto the font's 100 to 900 scale.
PangoWeight pangoWeight(UIFontWeight weight) {
    struct Step {
        UIFontWeight uikit;
        PangoWeight pango;
    };
    static constexpr Step kSteps[] = {
        {UIFontWeightUltraLight, PANGO_WEIGHT_ULTRALIGHT},
        {UIFontWeightThin, PANGO_WEIGHT_THIN},
        {UIFontWeightLight, PANGO_WEIGHT_LIGHT},
        {UIFontWeightRegular, PANGO_WEIGHT_NORMAL},
        {UIFontWeightMedium, PANGO_WEIGHT_MEDIUM},
        {UIFontWeightSemibold, PANGO_WEIGHT_SEMIBOLD},
        {UIFontWeightBold, PANGO_WEIGHT_BOLD},
        {UIFontWeightHeavy, PANGO_WEIGHT_ULTRABOLD},
        {UIFontWeightBlack, PANGO_WEIGHT_HEAVY},
    };
    const Step* nearest = &kSteps[0];
    for (const Step& step : kSteps)
        if (std::abs(step.uikit - weight) < std::abs(nearest->uikit - weight))
            nearest = &step;
    return nearest->pango;
}

// Text is laid out with every font at one size and scaled to its own as it
// is drawn. Pango loads a font, and matches it on threads of its own, for
// each weight and size it meets; a screen shows many sizes of a few weights.
// Outlines are unhinted and glyph positions unrounded, so scaling the layout
// scales the text. The size kept is body text's, the one layout measures.
constexpr double kLayoutPoints = UIFont::kLabelFontSize;

// How much larger than the layout's the font's own size is; zero for a
// size that shows nothing.
double textScale(const UIFont* font) {
    const double points = font ? font->pointSize() : UIFont::kLabelFontSize;
    return points > 0 && std::isfinite(points) ? points / kLayoutPoints : 0;
}

} // namespace

PangoFontDescription* fontDescription(const UIFont* font) {
    PangoFontDescription* description = pango_font_description_new();
    pango_font_description_set_family(description,
                                      font ? font->familyName().c_str() : UIFont::kSystemFamilyName);
    pango_font_description_set_weight(description, pangoWeight(font ? font->weight() : UIFontWeightRegular));
    // Absolute: one user-space unit per point, whatever resolution pango assumes.
    const double points = font ? font->pointSize() : UIFont::kLabelFontSize;
    pango_font_description_set_absolute_size(description, points * PANGO_SCALE);
    return description;
}

PangoContext* createTextContext() {
    PangoContext* context = pango_font_map_create_context(pango_cairo_font_map_get_default());
    cairo_font_options_t* options = cairo_font_options_create();
    cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_NONE);
    cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
    cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
    pango_cairo_context_set_font_options(context, options);
    cairo_font_options_destroy(options);
    pango_context_set_round_glyph_positions(context, FALSE);
    return context;
}

// Laid out in points, not in the drawing's pixels: the fonts layout measures
// with serve the drawing too.
Canvas::Canvas(cairo_t* cr, double scale, UIUserInterfaceStyle style)
    : m_cr(cr), m_scale(scale), m_style(style), m_pango(createTextContext()) {}

Canvas::~Canvas() {
    g_object_unref(m_pango);
}

UIColor::Components Canvas::resolve(const UIColor* colour) const {
    return colour ? colour->resolved(m_style) : UIColor::Components{};
}

void Canvas::setSource(const UIColor::Components& c) const {
    cairo_set_source_rgba(m_cr, c.red, c.green, c.blue, c.alpha);
}

void Canvas::setSource(const UIColor* colour, const UIColor* fallback) const {
    setSource(resolve(colour ? colour : fallback));
}

void Canvas::roundedRect(CGRect rect, double radius, unsigned corners) const {
    const double x = rect.origin.x, y = rect.origin.y, w = rect.size.width, h = rect.size.height;
    radius = std::clamp(radius, 0.0, std::min(w, h) / 2);
    if (radius <= 0) {
        cairo_rectangle(m_cr, x, y, w, h);
        return;
    }
    // Clockwise from the top right; a corner left square is a point of the path.
    auto corner = [&](unsigned bit, double cx, double cy, double px, double py, double from) {
        if (corners & bit)
            cairo_arc(m_cr, cx, cy, radius, from, from + std::numbers::pi / 2);
        else
            cairo_line_to(m_cr, px, py);
    };
    cairo_new_sub_path(m_cr);
    corner(2, x + w - radius, y + radius, x + w, y, -std::numbers::pi / 2); // max x, min y
    corner(8, x + w - radius, y + h - radius, x + w, y + h, 0);             // max x, max y
    corner(4, x + radius, y + h - radius, x, y + h, std::numbers::pi / 2);  // min x, max y
    corner(1, x + radius, y + radius, x, y, std::numbers::pi);              // min x, min y
    cairo_close_path(m_cr);
}

PangoLayout* Canvas::layout(const std::string& text, const UIFont* font) const {
    PangoLayout* layout = pango_layout_new(m_pango);
    PangoFontDescription* description = fontDescription(font);
    pango_font_description_set_absolute_size(description, kLayoutPoints * PANGO_SCALE);
    pango_layout_set_font_description(layout, description);
    pango_font_description_free(description);
    pango_layout_set_text(layout, text.data(), static_cast<int>(text.size()));
    return layout;
}

CGSize Canvas::measureText(const std::string& text, const UIFont* font) const {
    const double scale = textScale(font);
    if (scale == 0)
        return {0, 0};
    PangoLayout* measured = layout(text, font);
    pango_layout_set_single_paragraph_mode(measured, TRUE);
    PangoRectangle logical;
    pango_layout_get_extents(measured, nullptr, &logical);
    g_object_unref(measured);
    return {static_cast<double>(logical.width) / PANGO_SCALE * scale,
            static_cast<double>(logical.height) / PANGO_SCALE * scale};
}

void Canvas::drawText(const std::string& text, CGRect box, const TextStyle& style) const {
    const double scale = textScale(style.font);
    if (text.empty() || box.size.width <= 0 || scale == 0)
        return;
    PangoLayout* set = layout(text, style.font);
    pango_layout_set_width(set, static_cast<int>(std::lround(box.size.width / scale * PANGO_SCALE)));
    switch (style.alignment) {
    case NSTextAlignmentCenter:
        pango_layout_set_alignment(set, PANGO_ALIGN_CENTER);
        break;
    case NSTextAlignmentRight:
        pango_layout_set_alignment(set, PANGO_ALIGN_RIGHT);
        break;
    case NSTextAlignmentJustified:
        pango_layout_set_justify(set, TRUE);
        [[fallthrough]];
    default:
        pango_layout_set_alignment(set, PANGO_ALIGN_LEFT);
    }
    if (style.lines == 1) {
        pango_layout_set_single_paragraph_mode(set, TRUE);
        pango_layout_set_ellipsize(set, PANGO_ELLIPSIZE_END);
    } else {
        pango_layout_set_wrap(set, PANGO_WRAP_WORD_CHAR);
        if (style.lines > 1) {
            pango_layout_set_ellipsize(set, PANGO_ELLIPSIZE_END);
            pango_layout_set_height(set, static_cast<int>(-style.lines));
        }
    }
    PangoRectangle logical;
    pango_layout_get_extents(set, nullptr, &logical);
    const double height = static_cast<double>(logical.height) / PANGO_SCALE * scale;
    cairo_save(m_cr);
    setSource(style.colour);
    cairo_move_to(m_cr, box.origin.x, box.origin.y + (box.size.height - height) / 2);
    cairo_scale(m_cr, scale, scale);
    pango_cairo_show_layout(m_cr, set);
    cairo_restore(m_cr);
    g_object_unref(set);
}

} // namespace render
