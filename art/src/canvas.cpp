#include "canvas.h"

#include <algorithm>
#include <cmath>

Canvas::Canvas(int width, int height)
    : pixelWidth(width), pixelHeight(height),
      target(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height)),
      context(cairo_create(target)) {
    cairo_set_antialias(context, CAIRO_ANTIALIAS_BEST);
    useViewBox(0, height, width, 0);
}

Canvas::Canvas(cairo_surface_t* surface, int width, int height)
    : pixelWidth(width), pixelHeight(height), target(surface), context(cairo_create(target)) {
    cairo_set_antialias(context, CAIRO_ANTIALIAS_BEST);
    useViewBox(0, height, width, 0);
}

Canvas::~Canvas() {
    cairo_destroy(context);
    cairo_surface_destroy(target);
}

void Canvas::useViewBox(double left, double bottom, double right, double top) {
    boxLeft = left;
    boxTop = top;
    unitsPerPixelX = (right - left) / pixelWidth;
    unitsPerPixelY = (top - bottom) / pixelHeight;
    cairo_matrix_t matrix;
    cairo_matrix_init(&matrix, 1 / unitsPerPixelX, 0, 0, -1 / unitsPerPixelY,
                      -left / unitsPerPixelX, top / unitsPerPixelY);
    cairo_set_matrix(context, &matrix);
}

double Canvas::viewX(int column) const {
    return boxLeft + (column + 0.5) * unitsPerPixelX;
}

double Canvas::viewY(int row) const {
    return boxTop - (row + 0.5) * unitsPerPixelY;
}

double Canvas::pixelX() const {
    return std::fabs(unitsPerPixelX);
}

double Canvas::pixelY() const {
    return std::fabs(unitsPerPixelY);
}

double Canvas::pixel() const {
    return std::min(pixelX(), pixelY());
}
