#pragma once

#include <cairo.h>

// One picture being drawn: a cairo ARGB32 surface and its context. Every picture is drawn in the
// units of the quad the game puts it on (its "view box"), so that positions can be read straight
// off the game's geometry; the canvas maps that box onto the whole surface.
class Canvas {
  public:
    Canvas(int width, int height);
    // Draws onto `surface` (a recording surface, say), which the canvas takes over; `width` and
    // `height` are its size in pixels.
    Canvas(cairo_surface_t* surface, int width, int height);
    ~Canvas();
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    cairo_t* cr() const { return context; }
    cairo_surface_t* surface() const { return target; }
    int width() const { return pixelWidth; }
    int height() const { return pixelHeight; }

    // Maps x from left to right and y from bottom to top (y grows upward, as on screen) onto the
    // surface, and makes that the context's base transform.
    void useViewBox(double left, double bottom, double right, double top);

    // Size of one pixel in view units, across and up; strokes and blurs are sized with these so
    // that they stay crisp whatever the texture's resolution.
    double pixelX() const;
    double pixelY() const;
    double pixel() const;

    // Picture coordinates of the centre of pixel (column, row).
    double viewX(int column) const;
    double viewY(int row) const;

  private:
    int pixelWidth;
    int pixelHeight;
    cairo_surface_t* target;
    cairo_t* context;
    double boxLeft = 0;
    double boxTop = 0;
    double unitsPerPixelX = 1;
    double unitsPerPixelY = 1;
};
