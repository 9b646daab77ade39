#pragma once

#include <cstdint>
#include <vector>

// What the game draws with that the browser's emulation of fixed-function OpenGL leaves out is
// made here from what it has: display lists of bitmap glyphs, raster positions, the list base's
// attribute push and pop, and lines wider than a pixel (WebGL draws every line one pixel wide).
// The entry points keep their OpenGL names, so the game's drawing code is the desktop's.

// One character's bitmap as glBitmap takes it: the pixels it sets, its origin and its advance.
struct GlyphBitmap {
    int width = 0;
    int height = 0;
    float originX = 0.0f;
    float originY = 0.0f;
    float advance = 0.0f;
    // width * height, top row first: nonzero where the glyph sets the pixel.
    std::vector<std::uint8_t> pixels;
};

// Makes the lists from `firstList` on, one a glyph, each drawing its glyph at the raster position
// and moving the position on by its advance, as a list compiled from glBitmap does.
void defineGlyphLists(unsigned firstList, const std::vector<GlyphBitmap>& glyphs);

// While on, the calls that put pixels on the canvas (primitives, clears, glyphs) do nothing, and
// every other call keeps the state as ever: the calls of an animation frame but its last draw
// pictures nobody would see.
void discardDrawing(bool discard);
