#pragma once

#include <cstdint>

// The game's one random source: x := x * 214013 + 2531011 (mod 2^32), giving (x >> 16) & 32767.
// The frame function reseeds it from the calendar clock at the start of every call, so every call
// within the same second replays the same sequence.
void seedRandom(std::uint32_t seed);

// The next value, 0 to 32767.
int nextRandom();
