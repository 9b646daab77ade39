#pragma once

#include "pixels.h"

#include <string>

// Writes 8-bit RGBA PNG with nothing in it but the pixels (no time, no text chunks) at a fixed
// compression level, so that the same pixels always give the same bytes. Throws on failure.
void writePng(const std::string& path, const Pixels& pixels);
