#pragma once

#include <charconv>
#include <cstddef>
#include <cstring>
#include <system_error>

// Writes into `out` (at least kShortestFloatBytes long) the shortest text that reads back as the
// very same float, in the form std::to_chars(first, last, value) gives it: the fewest significant
// digits, the closest such to the value, and fixed or scientific notation, whichever is shorter
// (fixed on a tie). Returns the length written; no terminating zero.
constexpr std::size_t kShortestFloatBytes = 32;
std::size_t formatShortestFloat(float value, char* out);

// Emscripten's libc++ has std::to_chars for integers only, and the trace writer needs the float
// one: the browser build hands it this (cmake/web.cmake includes the header before the writer's
// source). Every other build uses its library's own.
#if !defined(__cpp_lib_to_chars)
namespace std {
inline to_chars_result to_chars(char* first, char* last, float value) {
    char text[kShortestFloatBytes];
    const std::size_t length = formatShortestFloat(value, text);
    if (static_cast<std::size_t>(last - first) < length) {
        return {last, errc::value_too_large};
    }
    std::memcpy(first, text, length);
    return {first + length, errc{}};
}
} // namespace std
#endif
