// Explosions and power-ups as render draws them, frame after frame.
#include "entities/explosion.h"
#include "entities/powerup.h"
#include "render/entity_drawing.h"
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
        paint();
    }
    void TearDown() override { glDeleteTextures(7, tex); }

    static TextureId bound() {
        GLint name = 0;
        glGetIntegerv(GL_TEXTURE_BINDING_2D, &name);
        return static_cast<TextureId>(name);
    }

    // Frames of play: the animation moves on where the frame is drawn, then the sprite is drawn.
    void drawFrame(Explosion& explosion) const {
        explosion.advanceAnimation();
        drawExplosion(explosion, images);
    }
    void drawFrame(Powerup& powerup) const {
        powerup.drift();
        drawPowerup(powerup, images);
    }

    template <typename Sprite> Runs imagesOver(Sprite& sprite, int drawings) const {
        Runs runs;
        for (int i = 0; i < drawings; ++i) {
            drawFrame(sprite);
            EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
            if (runs.empty() || runs.back().first != bound()) {
                runs.emplace_back(bound(), 0);
            }
            ++runs.back().second;
        }
        return runs;
    }

    // The images of the explosion and the pickups, one texture each.
    void paint() {
        images.texExplosion1 = tex[0];
        images.texExplosion2 = tex[1];
        images.texExplosion3 = tex[2];
        images.texExplosion4 = tex[3];
        images.texExplosion5 = tex[4];
        images.texExplosion6 = tex[5];
        images.texPowerup2a = tex[0];
        images.texPowerup2b = tex[1];
        images.texPowerup2c = tex[2];
        images.texPowerup3a = tex[3];
        images.texPowerup3b = tex[4];
        images.texPowerup3c = tex[5];
        images.texWrench = tex[6];
    }

    TextureId tex[7] = {};
    GameTextures images{};
};

TEST_F(Sprites, ExplosionShowsItsSixImagesOverThirtyDrawingsThenFinishes) {
    Explosion explosion(-9.0f, 12.0f);
    EXPECT_EQ(explosion.getDepth(), -9.0f);
    EXPECT_EQ(explosion.getAngle(), 12.0f);
    EXPECT_FALSE(explosion.isFinished());

    const Runs first29 = imagesOver(explosion, 29);
    EXPECT_FALSE(explosion.isFinished());
    EXPECT_EQ(explosion.getAnimStep(), 29);
    drawFrame(explosion);
    EXPECT_TRUE(explosion.isFinished());
    EXPECT_EQ(bound(), tex[5]);

    const Runs expected = {{tex[0], 6}, {tex[1], 5}, {tex[2], 5},
                           {tex[3], 5}, {tex[4], 5}, {tex[5], 4 - 1}};
    EXPECT_EQ(first29, expected);
}

TEST_F(Sprites, WeaponPickupCyclesItsImagesUpAndDown) {
    Powerup weapon2(2);
    const Runs expected = {{tex[0], 8}, {tex[1], 7}, {tex[2], 9}, {tex[1], 7}, {tex[0], 15},
                           {tex[1], 7}, {tex[2], 9}, {tex[1], 7}, {tex[0], 15}};
    EXPECT_EQ(imagesOver(weapon2, 8 + 7 + 9 + 7 + 15 + 7 + 9 + 7 + 15), expected);

    Powerup weapon3(3);
    const Runs expected3 = {{tex[3], 8}, {tex[4], 7}, {tex[5], 9}, {tex[4], 7}, {tex[3], 8}};
    EXPECT_EQ(imagesOver(weapon3, 8 + 7 + 9 + 7 + 8), expected3);

    Powerup wrench(1);
    EXPECT_EQ(imagesOver(wrench, 50), (Runs{{tex[6], 50}}));
}

TEST_F(Sprites, AnExplosionThatHasNotMovedOnIsNotDrawn) {
    // One made after its frame was drawn (the wreck's bursts) first shows in the next frame.
    glBindTexture(GL_TEXTURE_2D, 0);
    const Explosion fresh(-9.0f, 12.0f);
    drawExplosion(fresh, images);
    EXPECT_EQ(bound(), 0u);
}

} // namespace
