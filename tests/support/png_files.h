#pragma once

#include <cstdint>
#include <string>
#include <vector>

// A scratch directory for files a test writes, fresh for each run of the test binary.
std::string scratchPath(const std::string& name);

enum class PngKind { Rgba, Rgb, Palette, Grey, GreyAlpha, Rgba16, InterlacedRgba };

// Writes a width x height PNG of the given kind whose pixel (x, y) has red x * 16, green y * 16
// and alpha 255 - x (for the kinds that have colour and alpha), and returns its bytes.
std::vector<std::uint8_t> makePng(PngKind kind, int width, int height);

void writeFile(const std::string& path, const std::vector<std::uint8_t>& bytes);
