#pragma once
#include <UIKit/SymbolShape.h>

#include <cairo.h>

namespace render {

// Draws the system symbols' outlines with cairo.
class SymbolPath {
  public:
    // Appends one path of the symbol language to the current path; a
    // malformed path stops where it stops making sense.
    static void trace(cairo_t* cr, const char* path);
    // Every layer of the symbol in the current source, on its design grid.
    static void paint(cairo_t* cr, const uikit::SymbolShape& symbol);
};

} // namespace render
