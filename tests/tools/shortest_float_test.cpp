// The trace writer's own shortest float text, used where the standard library has no
// std::to_chars for floats (the browser build), must be that function's text to the byte: the
// traces of the two builds are compared byte for byte.
#include "replay/shortest_float.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <gtest/gtest.h>
#include <string>

namespace {

float floatOfBits(std::uint32_t bits) {
    float value = 0.0f;
    std::memcpy(&value, &bits, sizeof value);
    return value;
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

// Counts the floats of [first, last) (bit patterns, stepping by `stride`) whose texts differ, and
// reports the first few.
int differences(std::uint64_t first, std::uint64_t last, std::uint64_t stride) {
    int differing = 0;
    constexpr int kReported = 5;
    for (std::uint64_t bits = first; bits < last; bits += stride) {
        const float value = floatOfBits(static_cast<std::uint32_t>(bits));
        const std::string expected = standardText(value);
        const std::string own = ownText(value);
        if (own != expected && ++differing <= kReported) {
            ADD_FAILURE() << std::hex << bits << ": " << own << " instead of " << expected;
        }
    }
    return differing;
}

std::uint32_t bitsOf(float value) {
    std::uint32_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

} // namespace

TEST(ShortestFloat, SpecialValuesAndNotations) {
    EXPECT_EQ(ownText(0.0f), "0");
    EXPECT_EQ(ownText(-0.0f), "-0");
    EXPECT_EQ(ownText(1.0f), "1");
    EXPECT_EQ(ownText(-2.5f), "-2.5");
    EXPECT_EQ(ownText(0.1f), "0.1");
    EXPECT_EQ(ownText(1e10f), "1e+10");
    EXPECT_EQ(ownText(1e-7f), "1e-07");
    EXPECT_EQ(ownText(123456792.0f), "123456792");
    EXPECT_EQ(ownText(INFINITY), standardText(INFINITY));
    EXPECT_EQ(ownText(-INFINITY), standardText(-INFINITY));
}

// The ranges the game's angles, depths and counters live in, densely.
TEST(ShortestFloat, EveryFloatOfTheGamesRanges) {
    // Near the unit every 61st float, from 1/16 to 512 every 499th, both signs (a negative
    // float's bits grow with its magnitude): a million floats.
    EXPECT_EQ(differences(bitsOf(0.5f), bitsOf(2.0f), 61), 0);
    EXPECT_EQ(differences(bitsOf(-0.5f), bitsOf(-2.0f), 61), 0);
    EXPECT_EQ(differences(bitsOf(0.0625f), bitsOf(512.0f), 499), 0);
    EXPECT_EQ(differences(bitsOf(-0.0625f), bitsOf(-512.0f), 499), 0);
}

// A broad sweep of every binade, and the floats next to every power of two, where the gaps on
// either side differ and the closest short decimal can fall outside.
TEST(ShortestFloat, EveryBinadeAndItsEdges) {
    EXPECT_EQ(differences(0, std::uint64_t{1} << 32, 4099), 0);
    constexpr std::uint32_t kEdge = 16;
    constexpr std::uint32_t kMantissaBits = 23;
    for (std::uint32_t exponent = 1; exponent < 255; ++exponent) {
        const std::uint32_t power = exponent << kMantissaBits;
        EXPECT_EQ(differences(power - kEdge, power + kEdge, 1), 0);
        EXPECT_EQ(differences((power | 0x80000000u) - kEdge, (power | 0x80000000u) + kEdge, 1), 0);
    }
}
