// The shots as render draws them: their image by weapon, leading the way they fly.
#include "entities/destroyer_bullet.h"
#include "entities/laser.h"
#include "entities/missile.h"
#include "render/entity_drawing.h"
#include "tests/entities/entity_probe.h"

#include <gtest/gtest.h>
#include <memory>

namespace {

using entity_probe::Rgb;
using entity_probe::same;
using entity_probe::screenPoint;

class ShotPicture : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(sharedGlContext().ok()) << sharedGlContext().error();
        entity_probe::prepareView();
        image = entity_probe::makeTexture({red, green});
        images.texMissile = image;
        images.texDestroyerBullet = image;
        images.texLaser = image;
    }

    const Rgb red{255, 0, 0};
    const Rgb green{0, 255, 0};
    // Row 0 (t = 0) red, row 1 green.
    TextureId image = 0;
    GameTextures images{};

    Frame drawn(const Projectile& shot) const {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        drawProjectile(shot, images);
        EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
        return readFrame();
    }
};

// The image's t = 0 edge leads: the far end of a shot flying away, the near end of one coming.
TEST_F(ShotPicture, TheImageLeadsTheWayTheShotFlies) {
    constexpr float depth = -5.5f;
    struct Case {
        const char* name;
        std::unique_ptr<Projectile> shot;
        float halfLength;
    };
    Case cases[4] = {
        {"missile away", std::make_unique<Missile>(0.0f, Direction::Away, depth, false), 0.15f},
        {"missile toward", std::make_unique<Missile>(0.0f, Direction::Toward, depth, true), 0.15f},
        {"bullet away", std::make_unique<DestroyerBullet>(0.0f, Direction::Away, depth, false),
         0.3f},
        {"bullet toward", std::make_unique<DestroyerBullet>(0.0f, Direction::Toward, depth, false),
         0.3f},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Frame f = drawn(*c.shot);
        const auto farEnd = screenPoint(depth, 0.0f, 0.0f, -1.0f, -c.halfLength / 2);
        const auto nearEnd = screenPoint(depth, 0.0f, 0.0f, -1.0f, c.halfLength / 2);
        const bool away = c.shot->getDirection() == Direction::Away;
        EXPECT_TRUE(same(f.at(farEnd.x, farEnd.y), away ? red : green));
        EXPECT_TRUE(same(f.at(nearEnd.x, nearEnd.y), away ? green : red));
    }
}

TEST_F(ShotPicture, TheBeamReachesFifteenUnitsForwardAtItsAngle) {
    const Laser laser(0.0f, Direction::Away, -10.0f, false);
    Laser turned(0.0f, Direction::Away, -10.0f, false);
    turned.setAngle(-20.0f);
    const Frame straight = drawn(laser);
    const Frame aside = drawn(turned);
    for (float z : {-1.0f, -7.0f, -14.0f}) {
        SCOPED_TRACE(z);
        const Rgb expected = z > -7.5f ? green : red;
        const auto onAxis = screenPoint(-10.0f, 0.0f, 0.0f, -1.0f, z);
        const auto turnedPoint = screenPoint(-10.0f, -20.0f, 0.0f, -1.0f, z);
        EXPECT_TRUE(same(straight.at(onAxis.x, onAxis.y), expected));
        EXPECT_TRUE(same(aside.at(turnedPoint.x, turnedPoint.y), expected));
        EXPECT_FALSE(same(aside.at(onAxis.x, onAxis.y), expected));
    }
    // Nothing beyond its far end, nor behind where it was fired.
    const auto beyond = screenPoint(-10.0f, 0.0f, 0.0f, -1.0f, -16.0f);
    const auto behind = screenPoint(-10.0f, 0.0f, 0.0f, -1.0f, 0.5f);
    EXPECT_TRUE(same(straight.at(beyond.x, beyond.y), Rgb{0, 0, 0}));
    EXPECT_TRUE(same(straight.at(behind.x, behind.y), Rgb{0, 0, 0}));
}

} // namespace
