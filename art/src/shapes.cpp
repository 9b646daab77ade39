#include "shapes.h"

#include <cmath>
#include <vector>

namespace {

void addStops(cairo_pattern_t* pattern, std::initializer_list<Stop> stops) {
    for (const Stop& stop : stops) {
        cairo_pattern_add_color_stop_rgba(pattern, stop.offset, stop.colour.r, stop.colour.g,
                                          stop.colour.b, stop.alpha);
    }
}

void useSource(cairo_t* cr, cairo_pattern_t* pattern) {
    cairo_set_source(cr, pattern);
    cairo_pattern_destroy(pattern);
}

} // namespace

void setColour(cairo_t* cr, Rgb colour, double alpha) {
    cairo_set_source_rgba(cr, colour.r, colour.g, colour.b, alpha);
}

void setLinear(cairo_t* cr, Point from, Point to, std::initializer_list<Stop> stops) {
    cairo_pattern_t* pattern = cairo_pattern_create_linear(from.x, from.y, to.x, to.y);
    addStops(pattern, stops);
    useSource(cr, pattern);
}

void setRadial(cairo_t* cr, Point centre, double radius, std::initializer_list<Stop> stops) {
    cairo_pattern_t* pattern =
        cairo_pattern_create_radial(centre.x, centre.y, 0, centre.x, centre.y, radius);
    addStops(pattern, stops);
    useSource(cr, pattern);
}

void strokePixelsPreserve(cairo_t* cr, double widthInPixels) {
    cairo_save(cr);
    cairo_identity_matrix(cr);
    cairo_set_line_width(cr, widthInPixels);
    cairo_stroke_preserve(cr);
    cairo_restore(cr);
}

void strokePixels(cairo_t* cr, double widthInPixels) {
    strokePixelsPreserve(cr, widthInPixels);
    cairo_new_path(cr);
}

void polygon(cairo_t* cr, std::initializer_list<Point> points) {
    bool first = true;
    for (const Point& p : points) {
        if (first) {
            cairo_move_to(cr, p.x, p.y);
            first = false;
        } else {
            cairo_line_to(cr, p.x, p.y);
        }
    }
    cairo_close_path(cr);
}

void mirroredPolygon(cairo_t* cr, std::initializer_list<Point> rightHalf) {
    mirroredPolygonAt(cr, 0, rightHalf);
}

void mirroredPolygonAt(cairo_t* cr, double axis, std::initializer_list<Point> rightHalf) {
    const std::vector<Point> half(rightHalf);
    cairo_move_to(cr, axis + half.front().x, half.front().y);
    for (std::size_t i = 1; i < half.size(); ++i) {
        cairo_line_to(cr, axis + half[i].x, half[i].y);
    }
    for (std::size_t i = half.size(); i-- > 0;) {
        cairo_line_to(cr, axis - half[i].x, half[i].y);
    }
    cairo_close_path(cr);
}

void ellipse(cairo_t* cr, Point centre, double radiusX, double radiusY) {
    cairo_save(cr);
    cairo_translate(cr, centre.x, centre.y);
    cairo_scale(cr, radiusX, radiusY);
    cairo_new_sub_path(cr);
    cairo_arc(cr, 0, 0, 1, 0, 2 * pi);
    cairo_close_path(cr);
    cairo_restore(cr);
}

void roundedRect(cairo_t* cr, double left, double bottom, double right, double top, double radius) {
    cairo_new_sub_path(cr);
    cairo_arc(cr, right - radius, top - radius, radius, 0, pi / 2);
    cairo_arc(cr, left + radius, top - radius, radius, pi / 2, pi);
    cairo_arc(cr, left + radius, bottom + radius, radius, pi, 3 * pi / 2);
    cairo_arc(cr, right - radius, bottom + radius, radius, 3 * pi / 2, 2 * pi);
    cairo_close_path(cr);
}

void ellipseGlow(cairo_t* cr, Point centre, double radiusX, double radiusY, Rgb colour,
                 double alpha) {
    cairo_save(cr);
    cairo_translate(cr, centre.x, centre.y);
    cairo_scale(cr, radiusX, radiusY);
    // A bright middle and a long soft skirt read as light rather than as a painted disc.
    setRadial(cr, {0, 0}, 1,
              {{0.0, colour, alpha},
               {0.25, colour, alpha * 0.55},
               {0.5, colour, alpha * 0.22},
               {0.75, colour, alpha * 0.06},
               {1.0, colour, 0.0}});
    cairo_arc(cr, 0, 0, 1, 0, 2 * pi);
    cairo_fill(cr);
    cairo_restore(cr);
}

void glow(cairo_t* cr, Point centre, double radius, Rgb colour, double alpha) {
    ellipseGlow(cr, centre, radius, radius, colour, alpha);
}

void spark(cairo_t* cr, Point from, Point to, double pixels, Rgb colour, double alpha) {
    cairo_save(cr);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_move_to(cr, from.x, from.y);
    cairo_line_to(cr, to.x, to.y);
    setColour(cr, colour, alpha * 0.35);
    strokePixelsPreserve(cr, pixels * 3);
    setColour(cr, mix(colour, palette::white, 0.6), alpha);
    strokePixels(cr, pixels);
    cairo_restore(cr);
}
