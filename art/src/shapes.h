#pragma once

#include "palette.h"

#include <cairo.h>
#include <initializer_list>

constexpr double pi = 3.14159265358979323846;

struct Point {
    double x, y;
};

struct Stop {
    double offset;
    Rgb colour;
    double alpha;
};

void setColour(cairo_t* cr, Rgb colour, double alpha = 1.0);

// Gradient sources, in the current user space.
void setLinear(cairo_t* cr, Point from, Point to, std::initializer_list<Stop> stops);
void setRadial(cairo_t* cr, Point centre, double radius, std::initializer_list<Stop> stops);

// Strokes the current path with a width in device pixels, however the picture's view box is
// scaled; the pictures are textures seen at about their own size, so line widths are pixel sizes.
void strokePixels(cairo_t* cr, double widthInPixels);
void strokePixelsPreserve(cairo_t* cr, double widthInPixels);

// Paths.
void polygon(cairo_t* cr, std::initializer_list<Point> points);
// A shape symmetric about x = 0 from its right half, listed from top to bottom.
void mirroredPolygon(cairo_t* cr, std::initializer_list<Point> rightHalf);
// The same, standing on the line x = `axis`.
void mirroredPolygonAt(cairo_t* cr, double axis, std::initializer_list<Point> rightHalf);
void ellipse(cairo_t* cr, Point centre, double radiusX, double radiusY);
void roundedRect(cairo_t* cr, double left, double bottom, double right, double top, double radius);

// A soft round light: full strength in the middle, falling smoothly to nothing at `radius`.
void glow(cairo_t* cr, Point centre, double radius, Rgb colour, double alpha);
// The same, stretched into an ellipse.
void ellipseGlow(cairo_t* cr, Point centre, double radiusX, double radiusY, Rgb colour,
                 double alpha);
// A short bright streak with a glowing halo: sparks, glints, embers.
void spark(cairo_t* cr, Point from, Point to, double pixels, Rgb colour, double alpha);
