#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Writes RGB rows (top first) as an 8-bit RGB PNG. Only a regular file (or a new one) is written:
// a FIFO, a device or a directory is refused at once, without waiting for a reader. On failure
// returns false and says why in `why`.
bool writeRgbPng(const char* path, int width, int height, const std::vector<std::uint8_t>& rgb,
                 std::string& why);
