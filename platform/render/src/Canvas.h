#pragma once
// What every painter draws with: the cairo context of one drawing, its scale,
// the look colours resolve in, and the text machinery.
#include <CoreGraphics/CGGeometry.h>
#include <UIKit/UIColor.h>
#include <UIKit/UIFont.h>
#include <UIKit/UILabel.h>

#include <cairo.h>
#include <pango/pangocairo.h>

#include <string>

namespace render {

class Canvas {
  public:
    Canvas(cairo_t* cr, double scale, UIUserInterfaceStyle style);
    ~Canvas();
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    cairo_t* cr() const { return m_cr; }
    double scale() const { return m_scale; }
    UIUserInterfaceStyle style() const { return m_style; }

    UIColor::Components resolve(const UIColor* colour) const;
    void setSource(const UIColor::Components& c) const;
    // Nil sets `fallback`.
    void setSource(const UIColor* colour, const UIColor* fallback = nullptr) const;
    // A colour of the look: `light` in the light look, `dark` in the dark.
    UIColor::Components pick(UIColor::Components light, UIColor::Components dark) const {
        return m_style == UIUserInterfaceStyle::dark ? dark : light;
    }

    // A rectangle with corners rounded by `radius` (kept to half the shorter side) as the current path.
    // Only the corners in `corners` are rounded (a CACornerMask).
    void roundedRect(CGRect rect, double radius, unsigned corners = 0xF) const;

    // Text set in a box: font, colour, alignment and line limit of a label.
    struct TextStyle {
        const UIFont* font = nullptr; // nil: the system font at 17 points
        UIColor::Components colour;
        NSTextAlignment alignment = NSTextAlignmentNatural;
        long lines = 1; // 0: as many as fit the text
    };
    // Draws the text centred vertically in `box`.
    void drawText(const std::string& text, CGRect box, const TextStyle& style) const;
    // The width and height the text takes on one line, in points.
    CGSize measureText(const std::string& text, const UIFont* font) const;

  private:
    PangoLayout* layout(const std::string& text, const UIFont* font) const;

    cairo_t* m_cr;
    double m_scale;
    UIUserInterfaceStyle m_style;
    PangoContext* m_pango;
};

PangoFontDescription* fontDescription(const UIFont* font);
// A pango context set up for every text of the drawing and of layout alike:
// outlines unhinted and glyphs placed where the layout puts them, so text
// keeps its shape at every scale. One set of options, so both share fonts.
PangoContext* createTextContext();

} // namespace render
