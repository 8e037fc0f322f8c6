#include <Render/Typesetter.h>

#include "Canvas.h"

#include <UIKit/TextMeasurement.h>

#include <cmath>
#include <mutex>

namespace render {

namespace {

constexpr CGFloat kPixelsPerPoint = 3;

CGFloat ceilToPixel(CGFloat value) {
    return std::ceil(value * kPixelsPerPoint - 1e-9) / kPixelsPerPoint;
}

// One layout kept for every measure, in the canvas's own text context.
CGSize measureLine(std::string_view text, CGFloat pointSize, CGFloat weight) {
    static std::mutex lock;
    static PangoLayout* const layout = [] {
        PangoContext* context = createTextContext();
        PangoLayout* made = pango_layout_new(context);
        g_object_unref(context); // the layout keeps it
        pango_layout_set_single_paragraph_mode(made, TRUE);
        return made;
    }();
    rt::Ref<UIFont> font = UIFont::systemFontOfSize(pointSize, weight);
    std::lock_guard guard(lock);
    PangoFontDescription* description = fontDescription(font.get());
    pango_layout_set_font_description(layout, description);
    pango_font_description_free(description);
    pango_layout_set_text(layout, text.data(), static_cast<int>(text.size()));
    PangoRectangle logical;
    pango_layout_get_extents(layout, nullptr, &logical);
    return CGSize{ceilToPixel(static_cast<CGFloat>(logical.width) / PANGO_SCALE),
                  ceilToPixel(1.2 * pointSize)};
}

} // namespace

void Typesetter::useForLayout() {
    uikit::setTextMeasurer(&measureLine);
}

std::string Typesetter::resolvedFamily(const UIFont* font) {
    PangoFontMap* fonts = pango_cairo_font_map_get_default();
    PangoContext* context = pango_font_map_create_context(fonts);
    PangoFontDescription* wanted = fontDescription(font);
    std::string family;
    if (PangoFont* loaded = pango_font_map_load_font(fonts, context, wanted)) {
        PangoFontDescription* found = pango_font_describe(loaded);
        if (const char* name = pango_font_description_get_family(found))
            family = name;
        pango_font_description_free(found);
        g_object_unref(loaded);
    }
    pango_font_description_free(wanted);
    g_object_unref(context);
    return family;
}

} // namespace render
