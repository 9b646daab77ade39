#pragma once

#include "pixels.h"

#include <cstdint>
#include <string>
#include <vector>

// Writes 8-bit RGBA PNG with nothing in it but the pixels (no time, no text chunks) at a fixed
// compression level, so that the same pixels always give the same bytes. Throws on failure.
void writePng(const std::string& path, const Pixels& pixels);

// The same bytes as writePng would write, kept in memory (the Windows icon holds PNG images).
// `what` names the picture in the message of a failure.
std::vector<std::uint8_t> encodePng(const Pixels& pixels, const std::string& what);
