#pragma once

#include <cstddef>

// Writes into `out` (at least kShortestFloatBytes long) the shortest text that reads back as the
// very same float, in the form std::to_chars(first, last, value) gives it: the fewest significant
// digits, the closest such to the value, and fixed or scientific notation, whichever is shorter
// (fixed on a tie). Returns the length written; no terminating zero.
//
// The trace writer needs exactly that text, and some standard libraries (emscripten's libc++)
// have no std::to_chars for floats; elsewhere the library's own is used.
constexpr std::size_t kShortestFloatBytes = 32;
std::size_t formatShortestFloat(float value, char* out);
