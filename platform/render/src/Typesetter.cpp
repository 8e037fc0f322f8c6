#include <Render/Typesetter.h>

#include "Canvas.h"

namespace render {

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
