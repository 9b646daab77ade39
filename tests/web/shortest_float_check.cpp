// The browser build's shortest float text (shell/web/shortest_float.cpp), which its trace writer
// uses for want of the library's std::to_chars, must be that function's text to the byte: the
// traces of the two builds are compared byte for byte. Built natively by tests/web/run.sh, where
// std::to_chars is there to compare with; prints what differs and fails.
#include "shell/web/float_to_chars.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

namespace {

int failures = 0;

float floatOfBits(std::uint32_t bits) {
    float value = 0.0f;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

std::uint32_t bitsOf(float value) {
    std::uint32_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

std::string standardText(float value) {
    char text[kShortestFloatBytes];
    const std::to_chars_result written = std::to_chars(text, text + sizeof text, value);
    return std::string(text, written.ptr);
}

std::string ownText(float value) {
    char text[kShortestFloatBytes];
    return std::string(text, formatShortestFloat(value, text));
}

void expectText(float value, const char* expected) {
    if (ownText(value) != expected) {
        std::printf("%.9g: %s instead of %s\n", static_cast<double>(value), ownText(value).c_str(),
                    expected);
        ++failures;
    }
}

// The floats of [first, last) (bit patterns, stepping by `stride`) whose texts differ; the first
// few are reported.
void compareRange(std::uint64_t first, std::uint64_t last, std::uint64_t stride) {
    constexpr int kReported = 5;
    for (std::uint64_t bits = first; bits < last; bits += stride) {
        const float value = floatOfBits(static_cast<std::uint32_t>(bits));
        const std::string expected = standardText(value);
        const std::string own = ownText(value);
        if (own != expected && ++failures <= kReported) {
            std::printf("%08llx: %s instead of %s\n", static_cast<unsigned long long>(bits),
                        own.c_str(), expected.c_str());
        }
    }
}

} // namespace

int main() {
    expectText(0.0f, "0");
    expectText(-0.0f, "-0");
    expectText(1.0f, "1");
    expectText(-2.5f, "-2.5");
    expectText(0.1f, "0.1");
    expectText(1e10f, "1e+10");
    expectText(1e-7f, "1e-07");
    expectText(123456792.0f, "123456792");
    expectText(INFINITY, standardText(INFINITY).c_str());
    expectText(-INFINITY, standardText(-INFINITY).c_str());
    // The ranges the game's angles, depths and counters live in, densely: near the unit every
    // 61st float, from 1/16 to 512 every 499th, both signs (a negative float's bits grow with its
    // magnitude). A million floats.
    compareRange(bitsOf(0.5f), bitsOf(2.0f), 61);
    compareRange(bitsOf(-0.5f), bitsOf(-2.0f), 61);
    compareRange(bitsOf(0.0625f), bitsOf(512.0f), 499);
    compareRange(bitsOf(-0.0625f), bitsOf(-512.0f), 499);
    // A sweep of every binade, and the floats next to every power of two, where the gaps on
    // either side differ and the closest short decimal can fall outside.
    compareRange(0, std::uint64_t{1} << 32, 4099);
    constexpr std::uint32_t kEdge = 16;
    constexpr std::uint32_t kMantissaBits = 23;
    for (std::uint32_t exponent = 1; exponent < 255; ++exponent) {
        const std::uint32_t power = exponent << kMantissaBits;
        compareRange(power - kEdge, power + kEdge, 1);
        compareRange((power | 0x80000000u) - kEdge, (power | 0x80000000u) + kEdge, 1);
    }
    std::printf("shortest float text: %s\n", failures == 0 ? "the library's, every float checked"
                                                           : "DIFFERS from the library's");
    return failures == 0 ? 0 : 1;
}
