#include "base/trig.h"
#include "entities/drifting.h"

#include <cmath>
#include <cstdint>
#include <cstring>
#include <gtest/gtest.h>
#include <limits>

namespace {

std::uint32_t bitsOf(float f) {
    std::uint32_t u;
    std::memcpy(&u, &f, sizeof u);
    return u;
}

float floatOf(std::uint32_t u) {
    float f;
    std::memcpy(&f, &u, sizeof f);
    return f;
}

// An argument and its correctly rounded sine and cosine, as bit patterns, worked out at 300 bits.
struct Expected {
    std::uint32_t x, sin, cos;
};

// The results nearest to a tie of every float in the domain (within 7e-10 to 8e-9 of the
// floats' spacing from the midpoint), where only the careful path decides right; floats next to
// multiples of pi/4 and pi/2 on both sides of the quadrant changes (the closest of all comes
// within 4.2e-9 of one); the ends of the domain, the smallest floats and a few plain ones.
constexpr Expected kExpected[] = {
    {0x46199998, 0xbeb1fa5d, 0xbf70090b}, {0x4371ade3, 0x3e62da56, 0xbf79a393},
    {0x3ef3830f, 0x3eea6f45, 0x3f63966a}, {0x45a8abb3, 0x3e51ade2, 0x3f7a935f},
    {0x3dcf5597, 0x3dcefaf9, 0x3f7eb072}, {0x4967cb9b, 0x3ec9df85, 0x3f6b42db},
    {0x3c107fe6, 0x3c107f6b, 0x3f7ffd74}, {0x424790ce, 0xbebb16d3, 0x3f6e4c01},
    {0x3a544395, 0x3a544393, 0x3f7ffffb}, {0x4a01dca4, 0x3f393d07, 0x3f30b318},
    {0x437ce5f1, 0x3f800000, 0xb18fd1de}, {0x3f490fda, 0x3f3504f3, 0x3f3504f4},
    {0x3f490fdb, 0x3f3504f3, 0x3f3504f3}, {0x3fc90fda, 0x3f800000, 0x33a22169},
    {0x3fc90fdb, 0x3f800000, 0xb33bbd2e}, {0x4016cbe3, 0x3f3504f6, 0xbf3504f0},
    {0x4016cbe4, 0x3f3504f3, 0xbf3504f3}, {0x40490fda, 0x34222169, 0xbf800000},
    {0x40490fdb, 0xb3bbbd2e, 0xbf800000}, {0x40c90fdb, 0x343bbd2e, 0x3f800000},
    {0x4bf3b47b, 0xbf800000, 0xb38aea21}, {0x4bffffff, 0x3f1a2e8c, 0xbf4c5cc2},
    {0x00000001, 0x00000001, 0x3f800000}, {0x00800000, 0x00800000, 0x3f800000},
    {0x39800000, 0x39800000, 0x3f800000}, {0x45800000, 0xbf183a75, 0x3f4dd254},
    {0x3f00d426, 0x3ef6eb4a, 0x3f60433d}, {0x4b03da70, 0xbd5643e0, 0xbf7fa646},
};

// The steering angles of 107, 108, 122, 197, 248, 297, 310 and 350 whole degrees: the first ones
// where glibc's sinf or cosf is a unit in the last place off.
constexpr Expected kSteeringAngles[] = {
    {0x3fef094a, 0x3f74d0fd, 0xbe95add1}, {0x3ff14530, 0x3f737915, 0xbe9e3387},
    {0x400845e5, 0x3f591aeb, 0xbf07a6cf}, {0x405c0c24, 0xbe95aa85, 0xbf74d17e},
    {0x408a81cb, 0xbf6d5a23, 0xbebfd544}, {0x40a5df91, 0xbf641b98, 0x3ee86747},
    {0x40ad223e, 0xbf441f4f, 0x3f24892c}, {0x40c3793e, 0xbe31eb3d, 0x3f7c1b32},
};

void expectExact(const Expected& e) {
    const float x = floatOf(e.x);
    EXPECT_EQ(bitsOf(gameSin(x)), e.sin) << "sin " << std::hexfloat << x;
    EXPECT_EQ(bitsOf(gameCos(x)), e.cos) << "cos " << std::hexfloat << x;
    EXPECT_EQ(bitsOf(gameSin(-x)), e.sin ^ 0x80000000u) << "sin " << std::hexfloat << -x;
    EXPECT_EQ(bitsOf(gameCos(-x)), e.cos) << "cos " << std::hexfloat << -x;
}

// Whether `result` is the float nearest to `reference`, a double within a unit in its last
// place of the exact value; `undecided` counts references too near a tie to tell.
bool nearestTo(float result, double reference, int& undecided) {
    const double magnitude = std::fabs(reference);
    const float nearest = static_cast<float>(magnitude);
    const float neighbour =
        floatOf(nearest <= magnitude ? bitsOf(nearest) + 1 : bitsOf(nearest) - 1);
    const double midpoint = (static_cast<double>(nearest) + neighbour) / 2;
    if (std::fabs(magnitude - midpoint) <= std::ldexp(magnitude, -48)) {
        ++undecided;
        return true;
    }
    return result == (reference < 0 ? -nearest : nearest);
}

} // namespace

TEST(Trig, HardCasesQuadrantEdgesAndTheEndsOfTheDomainRoundToTheNearestFloat) {
    for (const Expected& e : kExpected) {
        expectExact(e);
    }
}

TEST(Trig, TheSteeringAnglesTheCLibraryMissesComeOutRight) {
    for (const Expected& e : kSteeringAngles) {
        expectExact(e);
    }
    // They are the drifting enemies' own arguments.
    EXPECT_EQ(bitsOf(headingInRadians(107.0f)), kSteeringAngles[0].x);
    EXPECT_EQ(bitsOf(headingInRadians(-248.9f)), kSteeringAngles[4].x);
}

TEST(Trig, ZerosKeepTheirSignAndTinyArgumentsGiveThemselvesAndOne) {
    EXPECT_EQ(bitsOf(gameSin(0.0f)), 0x00000000u);
    EXPECT_EQ(bitsOf(gameSin(-0.0f)), 0x80000000u);
    EXPECT_EQ(gameCos(0.0f), 1.0f);
    EXPECT_EQ(gameCos(-0.0f), 1.0f);
    for (const float x : {1e-30f, -3e-20f, 0x1p-13f, -0x1.fffffep-13f}) {
        EXPECT_EQ(gameSin(x), x);
        EXPECT_EQ(gameCos(x), 1.0f);
    }
}

TEST(Trig, OutsideTheDomainAndForInfinitiesAndNaNTheResultIsNaN) {
    const float largest = floatOf(bitsOf(kTrigDomainLimit) - 1);
    EXPECT_FALSE(std::isnan(gameSin(largest)));
    EXPECT_FALSE(std::isnan(gameCos(-largest)));
    for (const float x :
         {kTrigDomainLimit, -kTrigDomainLimit, 1e30f, std::numeric_limits<float>::infinity(),
          -std::numeric_limits<float>::infinity(), std::numeric_limits<float>::quiet_NaN()}) {
        EXPECT_TRUE(std::isnan(gameSin(x))) << x;
        EXPECT_TRUE(std::isnan(gameCos(x))) << x;
    }
}

// Every 997th float of the domain against the C library's double sine and cosine (within a unit
// in the last place of a double on every library this game is built with), and its negative
// by symmetry. The exhaustive check of every float is a measured run: tools/trig_check.
TEST(Trig, ASampleOfTheWholeDomainRoundsToTheNearestFloat) {
    int undecided = 0;
    int checked = 0;
    for (std::uint32_t bits = 0; bits < bitsOf(kTrigDomainLimit); bits += 997) {
        const float x = floatOf(bits);
        const float s = gameSin(x);
        const float c = gameCos(x);
        ASSERT_TRUE(nearestTo(s, std::sin(static_cast<double>(x)), undecided))
            << "sin " << std::hexfloat << x;
        ASSERT_TRUE(nearestTo(c, std::cos(static_cast<double>(x)), undecided))
            << "cos " << std::hexfloat << x;
        ASSERT_EQ(bitsOf(gameSin(-x)), bitsOf(s) ^ 0x80000000u) << std::hexfloat << x;
        ASSERT_EQ(bitsOf(gameCos(-x)), bitsOf(c)) << std::hexfloat << x;
        ++checked;
    }
    EXPECT_GT(checked, 1000000);
    EXPECT_LT(undecided, 10);
}

// Every whole number of degrees a drifting enemy steers by, to 100 000.
TEST(Trig, EverySteeringAngleToAHundredThousandDegreesRoundsToTheNearestFloat) {
    int undecided = 0;
    for (int h = 0; h <= 100000; ++h) {
        const float a = headingInRadians(static_cast<float>(h));
        ASSERT_TRUE(nearestTo(gameSin(a), std::sin(static_cast<double>(a)), undecided)) << h;
        ASSERT_TRUE(nearestTo(gameCos(a), std::cos(static_cast<double>(a)), undecided)) << h;
    }
    EXPECT_LT(undecided, 10);
}
