#pragma once

#include "canvas.h"

#include <functional>

// A colour with straight alpha, as a per-pixel pattern yields it.
struct Rgba {
    double r, g, b, a;
};

// Paints a pattern computed pixel by pixel (soot, smoke, fire, nebulae: things made of noise
// rather than of paths) over the picture, through the current clip, with cairo's `op`.
void paintField(Canvas& canvas, const std::function<Rgba(double x, double y)>& pattern,
                cairo_operator_t op = CAIRO_OPERATOR_OVER);
