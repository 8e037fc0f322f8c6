#include "SymbolPath.h"

#include <cmath>
#include <cstdlib>
#include <numbers>

namespace render {

namespace {

// Reads the next number, skipping spaces; false at the end or on a non-number.
bool number(const char*& cursor, double& value) {
    while (*cursor == ' ' || *cursor == ',')
        ++cursor;
    char* end = nullptr;
    value = std::strtod(cursor, &end);
    if (end == cursor)
        return false;
    cursor = end;
    return true;
}

template <size_t N> bool readNumbers(const char*& cursor, double (&values)[N]) {
    for (double& value : values)
        if (!number(cursor, value))
            return false;
    return true;
}

double radians(double degrees) {
    return degrees * std::numbers::pi / 180.0;
}

} // namespace

void SymbolPath::trace(cairo_t* cr, const char* path) {
    for (const char* cursor = path; *cursor;) {
        const char command = *cursor++;
        switch (command) {
        case ' ':
            break;
        case 'M': {
            double p[2];
            if (!readNumbers(cursor, p))
                return;
            cairo_move_to(cr, p[0], p[1]);
            break;
        }
        case 'L': {
            double p[2];
            if (!readNumbers(cursor, p))
                return;
            cairo_line_to(cr, p[0], p[1]);
            break;
        }
        case 'C': {
            double p[6];
            if (!readNumbers(cursor, p))
                return;
            cairo_curve_to(cr, p[0], p[1], p[2], p[3], p[4], p[5]);
            break;
        }
        case 'A': {
            double p[5];
            if (!readNumbers(cursor, p))
                return;
            cairo_new_sub_path(cr);
            cairo_arc(cr, p[0], p[1], p[2], radians(p[3]), radians(p[4]));
            break;
        }
        case 'Z':
            cairo_close_path(cr);
            break;
        default:
            return;
        }
    }
}

void SymbolPath::paint(cairo_t* cr, const uikit::SymbolShape& symbol) {
    cairo_save(cr);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    for (const uikit::SymbolLayer& layer : symbol.layers) {
        cairo_new_path(cr);
        trace(cr, layer.path);
        using Paint = uikit::SymbolLayer::Paint;
        switch (layer.paint) {
        case Paint::stroke:
            cairo_set_line_width(cr, layer.lineWidth);
            cairo_stroke(cr);
            break;
        case Paint::fill:
            cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
            cairo_fill(cr);
            break;
        case Paint::evenOddFill:
            cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
            cairo_fill(cr);
            break;
        case Paint::erase:
            cairo_save(cr);
            cairo_set_operator(cr, CAIRO_OPERATOR_CLEAR);
            cairo_set_line_width(cr, layer.lineWidth);
            cairo_stroke(cr);
            cairo_restore(cr);
            break;
        }
    }
    cairo_restore(cr);
}

} // namespace render
