#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

// A decoded image: 8-bit RGBA, rows from the file's top row down.
struct RgbaImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> pixels;
};

// Decodes a PNG held in memory into RGBA, whatever its colour type, bit depth or interlacing:
// palette and grey images are expanded, 16-bit samples reduced to 8, a missing alpha channel
// filled opaque. Images wider or taller than `maxDimension` are refused from their header, before
// any pixel memory is allocated. Nothing on failure; never reports anything.
std::optional<RgbaImage> decodePng(const std::uint8_t* data, std::size_t size, int maxDimension);

// Encodes RGB rows (top first) as an 8-bit RGB PNG into a file opened for writing, and closes
// it. False, with the reason in `why`, when the rows do not fill the picture, libpng failed or
// the file could not be written out. Each platform opens the file its own way.
bool writeRgbPngAndClose(std::FILE* file, int width, int height,
                         const std::vector<std::uint8_t>& rgb, std::string& why);
