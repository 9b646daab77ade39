#include "base/random.h"
#include "entities/explosion.h"
#include "entities/powerup.h"
#include "render/gl.h"
#include "tests/support/gl_fixture.h"

#include <gtest/gtest.h>
#include <utility>
#include <vector>

namespace {

// Runs of the same image, in the order they were shown.
using Runs = std::vector<std::pair<TextureId, int>>;

class Sprites : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(sharedGlContext().ok()) << sharedGlContext().error();
        glGenTextures(7, tex);
    }
    void TearDown() override { glDeleteTextures(7, tex); }

    static TextureId bound() {
        GLint name = 0;
        glGetIntegerv(GL_TEXTURE_BINDING_2D, &name);
        return static_cast<TextureId>(name);
    }

    template <typename Sprite> static Runs imagesOver(Sprite& sprite, int drawings) {
        Runs runs;
        for (int i = 0; i < drawings; ++i) {
            sprite.draw();
            EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
            if (runs.empty() || runs.back().first != bound()) {
                runs.emplace_back(bound(), 0);
            }
            ++runs.back().second;
        }
        return runs;
    }

    Powerup powerup(int type) const {
        return Powerup(type, tex[0], tex[1], tex[2], tex[3], tex[4], tex[5], tex[6]);
    }

    TextureId tex[7] = {};
};

TEST_F(Sprites, ExplosionShowsItsSixImagesOverThirtyDrawingsThenFinishes) {
    Explosion explosion(-9.0f, 12.0f, tex[0], tex[1], tex[2], tex[3], tex[4], tex[5]);
    EXPECT_EQ(explosion.getDepth(), -9.0f);
    EXPECT_EQ(explosion.getAngle(), 12.0f);
    EXPECT_FALSE(explosion.isFinished());

    const Runs first29 = imagesOver(explosion, 29);
    EXPECT_FALSE(explosion.isFinished());
    EXPECT_EQ(explosion.getAnimStep(), 29);
    explosion.draw();
    EXPECT_TRUE(explosion.isFinished());
    EXPECT_EQ(bound(), tex[5]);

    const Runs expected = {{tex[0], 6}, {tex[1], 5}, {tex[2], 5},
                           {tex[3], 5}, {tex[4], 5}, {tex[5], 4 - 1}};
    EXPECT_EQ(first29, expected);
}

TEST_F(Sprites, WeaponPickupCyclesItsImagesUpAndDown) {
    Powerup weapon2 = powerup(2);
    const Runs expected = {{tex[0], 8}, {tex[1], 7}, {tex[2], 9}, {tex[1], 7}, {tex[0], 15},
                           {tex[1], 7}, {tex[2], 9}, {tex[1], 7}, {tex[0], 15}};
    EXPECT_EQ(imagesOver(weapon2, 8 + 7 + 9 + 7 + 15 + 7 + 9 + 7 + 15), expected);

    Powerup weapon3 = powerup(3);
    const Runs expected3 = {{tex[3], 8}, {tex[4], 7}, {tex[5], 9}, {tex[4], 7}, {tex[3], 8}};
    EXPECT_EQ(imagesOver(weapon3, 8 + 7 + 9 + 7 + 8), expected3);

    Powerup wrench = powerup(1);
    EXPECT_EQ(imagesOver(wrench, 50), (Runs{{tex[6], 50}}));
}

TEST_F(Sprites, PickupSpendsFortyDrawingsInTheShipsBand) {
    seedRandom(5);
    Powerup pickup = powerup(2);
    EXPECT_EQ(pickup.getType(), 2);
    EXPECT_EQ(pickup.getHalfWidth(), 6.1875f);
    // It moves only when drawn.
    EXPECT_EQ(pickup.getDepth(), -20.0f);

    const auto inBand = [](float depth) { return depth >= -7.5f && depth <= -5.5f; };
    std::vector<int> inside;
    for (int drawing = 1; drawing <= 600; ++drawing) {
        pickup.draw();
        if (drawing == 250) {
            EXPECT_NEAR(pickup.getDepth(), -7.50003f, 1e-5f);
        }
        if (drawing == 251) {
            EXPECT_NEAR(pickup.getDepth(), -7.45003f, 1e-5f);
        }
        if (inBand(pickup.getDepth())) {
            inside.push_back(drawing);
        }
    }
    ASSERT_EQ(inside.size(), 40u);
    EXPECT_EQ(inside.front(), 251);
    EXPECT_EQ(inside.back(), 290);
}

} // namespace
