#include "game/contact.h"

#include <gtest/gtest.h>
#include <limits>

namespace {

constexpr float kShip = 11.0f;
constexpr float kWedge = 2.0625f;

TEST(Contact, AWedgeTouchesTheShipUnderThirteenDegreesInsideTheBandWithItsEnds) {
    EXPECT_TRUE(touchesShip(0.0f, kShip, 12.99f, kWedge, -6.5f));
    EXPECT_TRUE(touchesShip(0.0f, kShip, -12.99f, kWedge, -6.5f));
    EXPECT_FALSE(touchesShip(0.0f, kShip, 13.0f, kWedge, -6.5f));
    EXPECT_TRUE(touchesShip(0.0f, kShip, 0.0f, kWedge, -7.5f));
    EXPECT_TRUE(touchesShip(0.0f, kShip, 0.0f, kWedge, -5.5f));
    EXPECT_FALSE(touchesShip(0.0f, kShip, 0.0f, kWedge, -7.51f));
    EXPECT_FALSE(touchesShip(0.0f, kShip, 0.0f, kWedge, -5.49f));
}

TEST(Contact, TheHalfWidthsAreCutToWholeDegreesBeforeScaling) {
    // 2.9 + 11.0 reaches 13 degrees, not 13.9.
    EXPECT_TRUE(touchesShip(5.0f, kShip, 17.99f, 2.9f, -6.0f));
    EXPECT_FALSE(touchesShip(5.0f, kShip, 18.5f, 2.9f, -6.0f));
}

TEST(Overlap, AMissileMeetsAWedgeUpTo274AngleAnd119DepthHundredths) {
    // Missile: half-width 0.6875, half-depth 0.3; wedge: 2.0625 and 0.9.
    EXPECT_TRUE(overlaps(0.0f, 0.6875f, 2.74f, kWedge));
    EXPECT_TRUE(overlaps(2.74f, 0.6875f, 0.0f, kWedge));
    EXPECT_FALSE(overlaps(0.0f, 0.6875f, 2.75f, kWedge));
    EXPECT_TRUE(overlaps(0.0f, 0.3f, -1.19f, 0.9f));
    EXPECT_FALSE(overlaps(0.0f, 0.3f, -1.2f, 0.9f));
}

TEST(Truncation, RoundsTowardZeroAndSaturatesOutsideTheRange) {
    EXPECT_EQ(truncateToInt(274.99), 274);
    EXPECT_EQ(truncateToInt(-274.99), -274);
    EXPECT_EQ(truncateToInt(1e12), std::numeric_limits<int>::max());
    EXPECT_EQ(truncateToInt(-1e12), -std::numeric_limits<int>::max());
    EXPECT_EQ(truncateToInt(std::numeric_limits<double>::quiet_NaN()), 0);
    // Two objects absurdly far apart never touch.
    EXPECT_FALSE(touchesShip(0.0f, kShip, 3e38f, kWedge, -6.5f));
    EXPECT_FALSE(overlaps(0.0f, 0.6875f, -3e38f, kWedge));
}

} // namespace
