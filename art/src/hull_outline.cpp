#include "hull_outline.h"

#include "shapes.h"

namespace hull {

void keepClearOfEdges(cairo_t* cr, double pixelX, double pixelY, double pixels) {
    const double middle = (nose + tail) / 2;
    const double halfLength = (nose - tail) / 2;
    cairo_translate(cr, 0, middle);
    cairo_scale(cr, 1 - pixels * pixelX / halfWidth, 1 - pixels * pixelY / halfLength);
    cairo_translate(cr, 0, -middle);
}

void outline(cairo_t* cr) {
    mirroredPolygon(cr, {{0.075, 0.99},
                         {0.11, 0.88},
                         {0.15, 0.6},
                         {0.19, 0.3},
                         {0.26, 0.1},
                         {0.62, -0.72},
                         {0.69, -0.8},
                         {0.69, -1.02},
                         {0.47, -1.0},
                         {0.46, -1.1},
                         {0.45, -1.42},
                         {0.415, -1.5},
                         {0.285, -1.5},
                         {0.25, -1.42},
                         {0.24, -1.2},
                         {0.1, -1.25},
                         {0.06, -1.38},
                         {0.0, -1.41}});
}

void fuselage(cairo_t* cr) {
    mirroredPolygon(cr, {{0.075, 0.99},
                         {0.11, 0.88},
                         {0.15, 0.6},
                         {0.19, 0.3},
                         {0.2, -0.2},
                         {0.17, -1.0},
                         {0.1, -1.25},
                         {0.06, -1.38},
                         {0.0, -1.41}});
}

void canopy(cairo_t* cr) {
    cairo_move_to(cr, 0, 0.7);
    cairo_curve_to(cr, 0.06, 0.66, 0.09, 0.45, 0.085, 0.28);
    cairo_curve_to(cr, 0.08, 0.16, 0.05, 0.1, 0, 0.09);
    cairo_curve_to(cr, -0.05, 0.1, -0.08, 0.16, -0.085, 0.28);
    cairo_curve_to(cr, -0.09, 0.45, -0.06, 0.66, 0, 0.7);
    cairo_close_path(cr);
}

void enginePod(cairo_t* cr, double side) {
    const double x = side * engineX;
    cairo_move_to(cr, x - 0.07, -0.5);
    cairo_curve_to(cr, x - 0.05, -0.42, x + 0.05, -0.42, x + 0.07, -0.5);
    cairo_line_to(cr, x + 0.1, -0.9);
    cairo_line_to(cr, x + 0.1, -1.42);
    cairo_line_to(cr, x + 0.065, -1.5);
    cairo_line_to(cr, x - 0.065, -1.5);
    cairo_line_to(cr, x - 0.1, -1.42);
    cairo_line_to(cr, x - 0.1, -0.9);
    cairo_close_path(cr);
}

void wing(cairo_t* cr, double side) {
    polygon(cr, {{side * 0.19, 0.3},
                 {side * 0.26, 0.1},
                 {side * 0.62, -0.72},
                 {side * 0.69, -0.8},
                 {side * 0.69, -1.02},
                 {side * 0.47, -1.0},
                 {side * 0.2, -0.9},
                 {side * 0.2, -0.2}});
}

} // namespace hull
