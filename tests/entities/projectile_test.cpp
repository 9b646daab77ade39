#include "entities/destroyer_bullet.h"
#include "entities/laser.h"
#include "entities/missile.h"

#include <gtest/gtest.h>
#include <memory>
#include <vector>

namespace {

TEST(MovingShots, LeaveTheFieldInTheUpdateTheirStartAndSpeedGive) {
    Missile first(2.0f, Direction::Away, -8.0f, false);
    first.update();
    EXPECT_EQ(first.getDepth(), -8.05f);
    EXPECT_EQ(first.getAngle(), 2.0f);

    struct Case {
        const char* name;
        std::unique_ptr<Projectile> shot;
        int flaggedIn;
    };
    Case cases[3] = {
        {"player missile", std::make_unique<Missile>(0.0f, Direction::Away, -8.0f, false), 241},
        {"destroyer bullet",
         std::make_unique<DestroyerBullet>(0.0f, Direction::Away, -10.0f, false), 201},
        // An enemy shot that misses the ship flies on behind it, to the camera.
        {"enemy missile", std::make_unique<Missile>(0.0f, Direction::Toward, -10.0f, true), 200},
    };
    for (Case& c : cases) {
        SCOPED_TRACE(c.name);
        for (int n = 1; n < c.flaggedIn; ++n) {
            c.shot->update();
        }
        EXPECT_FALSE(c.shot->dead);
        c.shot->update();
        EXPECT_TRUE(c.shot->dead);
        if (c.shot->getDirection() == Direction::Away) {
            EXPECT_LE(c.shot->getDepth(), -20.0f);
        } else {
            EXPECT_GE(c.shot->getDepth(), 0.0f);
        }
    }
}

TEST(LaserBeam, HitsEverySeventhAgeAndIsGoneInItsThirtyFirstUpdate) {
    Laser laser(0.0f, Direction::Away, -10.0f, false);
    // Its creation frame tests it for hits and draws it before its first update.
    EXPECT_TRUE(laser.isHitEnabled());
    std::vector<int> hitAges = {0};
    int drawnFrames = 1;
    int updates = 0;
    while (!laser.dead && updates < 100) {
        laser.update();
        ++updates;
        if (!laser.dead) {
            ++drawnFrames;
            if (laser.isHitEnabled()) {
                hitAges.push_back(updates);
            }
        }
    }
    EXPECT_EQ(updates, 31);
    EXPECT_EQ(drawnFrames, 31);
    EXPECT_EQ(hitAges, (std::vector<int>{0, 7, 14, 21, 28}));
    EXPECT_EQ(laser.getDepth(), -10.0f);
}

} // namespace
