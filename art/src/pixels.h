#pragma once

#include <cairo.h>
#include <cstdint>
#include <vector>

// Straight (not premultiplied) 8-bit RGBA, rows from the top down: what a PNG file holds.
struct Pixels {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgba;
};

// Reads a cairo ARGB32 surface, undoing cairo's premultiplied alpha.
Pixels readSurface(cairo_surface_t* surface);

// The reverse, for showing pictures again (the contact sheet): a new ARGB32 surface.
cairo_surface_t* makeSurface(const Pixels& pixels);
