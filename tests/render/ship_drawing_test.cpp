// The ship as render draws it from its state and the look its frames recorded.
#include "entities/player_ship.h"
#include "game/game.h"
#include "platform/virtual_keys.h"
#include "render/entity_drawing.h"
#include "tests/entities/entity_probe.h"
#include "tests/support/rules_machine.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

using entity_probe::Rgb;
using entity_probe::same;
using entity_probe::screenPoint;

constexpr float kShipDepth = -6.5f;

ShipControls heldControls() {
    return shipControls(rules_machine::state().inputs);
}

// The ship drawn into a real frame, with one flat colour per image.
class PlayerShipPicture : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(sharedGlContext().ok()) << sharedGlContext().error();
        rules_machine::reset();
        entity_probe::prepareView();
    }
    void TearDown() override { rules_machine::reset(); }

    static TextureId solid(Rgb c) { return entity_probe::makeTexture({c}); }

    // One frame of play from the drawing's point: the look moves on, then the ship is drawn.
    Frame drawn(PlayerShip& ship) const {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        ship.advanceLook();
        drawShip(ship, images);
        return readFrame();
    }

    // Pixels of colour `c` around the nose, where the mounted weapons are.
    static int weaponPixels(const Frame& f, Rgb c) {
        return f.count(312, 400, 712, 768, [c](Frame::Pixel p) { return same(p, c); });
    }
    static double meanRow(const Frame& f, Rgb c) {
        double rows = 0;
        int n = 0;
        for (int y = 400; y < OffscreenContext::kHeight; ++y) {
            for (int x = 312; x < 712; ++x) {
                if (same(f.at(x, y), c)) {
                    rows += y;
                    ++n;
                }
            }
        }
        return n > 0 ? rows / n : 0.0;
    }

    const Rgb hull[5] = {{0, 255, 0}, {0, 0, 255}, {255, 255, 0}, {0, 255, 255}, {255, 0, 255}};
    const Rgb weapon[3] = {{128, 0, 0}, {0, 128, 0}, {0, 0, 128}};
    const Rgb thrust[4] = {{128, 128, 0}, {0, 128, 128}, {128, 0, 128}, {128, 128, 128}};
    const Rgb red{255, 0, 0};
    const Rgb white{255, 255, 255};

    // Paints the ship's images; until then every image is 0 and draws white.
    void paint() {
        images.texShip1 = solid(hull[0]);
        images.texShip2 = solid(hull[1]);
        images.texShip3 = solid(hull[2]);
        images.texShip4 = solid(hull[3]);
        images.texShip5 = solid(hull[4]);
        images.texMissileLauncher = solid(weapon[0]);
        images.texMeteorDestroyer = solid(weapon[1]);
        images.texLaserGun = solid(weapon[2]);
        images.texThrust1 = solid(thrust[0]);
        images.texThrust2 = solid(thrust[1]);
        images.texThrust3 = solid(thrust[2]);
        images.texThrust4 = solid(thrust[3]);
    }

    PlayerShip paintedShip() {
        paint();
        return PlayerShip{};
    }

    GameTextures images{};
};

TEST_F(PlayerShipPicture, TheHullSitsAtTheBottomCentreAndSlidesLeftWithTheAngle) {
    PlayerShip ship;
    const auto isWhite = [](Frame::Pixel p) { return p.r == 255 && p.g == 255 && p.b == 255; };
    const Frame centred = drawn(ship);
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
    const entity_probe::ScreenPoint middle = screenPoint(kShipDepth, 0.0f, 0.0f, -1.0f, 0.5f);
    EXPECT_NEAR(middle.x, 512, 1);
    EXPECT_GT(middle.y, 600);
    EXPECT_TRUE(same(centred.at(middle.x, middle.y), white));
    EXPECT_EQ(centred.count(0, 0, 1024, 560, isWhite), 0);
    const int leftHalf = centred.count(0, 560, 512, 768, isWhite);
    const int rightHalf = centred.count(512, 560, 1024, 768, isWhite);
    EXPECT_GT(leftHalf, 5000);
    EXPECT_NEAR(leftHalf, rightHalf, leftHalf / 20);

    rules_machine::press(KeyLeft);
    for (int i = 0; i < 62; ++i) {
        ship.update(heldControls());
    }
    const Frame moved = drawn(ship);
    const entity_probe::ScreenPoint left = screenPoint(kShipDepth, -31.0f, 0.0f, -1.0f, 0.5f);
    EXPECT_LT(left.x, 400);
    EXPECT_TRUE(same(moved.at(left.x, left.y), white));
    EXPECT_FALSE(same(moved.at(middle.x, middle.y), white));
    EXPECT_EQ(moved.count(512, 0, 1024, 768, isWhite), 0);
}

TEST_F(PlayerShipPicture, TheHullImageShowsTheDamage) {
    PlayerShip ship = paintedShip();
    const entity_probe::ScreenPoint middle = screenPoint(kShipDepth, 0.0f, 0.0f, -1.0f, 0.5f);
    const int expectedImage[] = {0, 1, 2, 3, 4, 4}; // for 5 lives down to 0
    for (int lost = 0; lost <= 5; ++lost) {
        SCOPED_TRACE("lives " + std::to_string(ship.getLives()));
        const Frame f = drawn(ship);
        EXPECT_TRUE(same(f.at(middle.x, middle.y), hull[expectedImage[lost]]));
        ship.hitPending = true;
        ship.update(heldControls());
    }
}

TEST_F(PlayerShipPicture, AHitFlashesRedInExactlyThreeFramesEvenAcrossARestart) {
    PlayerShip ship = paintedShip();
    const auto flashing = [this](const Frame& f) { return same(f.at(5, 5), red); };
    ship.hitPending = true;
    EXPECT_FALSE(flashing(drawn(ship)));
    ship.update(heldControls());
    EXPECT_TRUE(flashing(drawn(ship)));
    ship.reset();
    EXPECT_TRUE(flashing(drawn(ship)));
    const Frame third = drawn(ship);
    EXPECT_TRUE(flashing(third));
    // The ship stays on top of its own flash.
    const entity_probe::ScreenPoint middle = screenPoint(kShipDepth, 0.0f, 0.0f, -1.0f, 0.5f);
    EXPECT_TRUE(same(third.at(middle.x, middle.y), hull[0]));
    EXPECT_FALSE(flashing(drawn(ship)));
}

// The launcher is short enough to slide entirely under the hull, so the longer two show it.
TEST_F(PlayerShipPicture, ASwitchRetractsTheOldWeaponFor40FramesThenExtendsTheNewFor38) {
    PlayerShip ship = paintedShip();
    ship.gotWeapon2 = true;
    ship.update(heldControls());
    for (int n = 0; n < 200 && ship.isSwitching(); ++n) {
        ship.advanceLook();
    }
    ship.gotWeapon3 = true;
    ship.update(heldControls());
    std::string shown;
    double firstRow = 0;
    double lastOldRow = 0;
    for (int n = 1; n <= 78; ++n) {
        const Frame f = drawn(ship);
        const bool old = weaponPixels(f, weapon[1]) > 0;
        const bool fresh = weaponPixels(f, weapon[2]) > 0;
        shown += old ? (fresh ? 'b' : 'o') : (fresh ? 'n' : '-');
        if (n == 1) {
            firstRow = meanRow(f, weapon[1]);
        }
        if (n == 39) {
            lastOldRow = meanRow(f, weapon[1]);
        }
    }
    EXPECT_EQ(shown, std::string(40, 'o') + std::string(38, 'n'));
    EXPECT_FALSE(ship.isSwitching());
    // Sliding back toward the viewer moves it down the screen.
    EXPECT_GT(lastOldRow, firstRow + 5.0);
}

TEST_F(PlayerShipPicture, ARestartDuringASwitchDrawsTheLauncherAtOnce) {
    PlayerShip ship = paintedShip();
    ship.gotWeapon2 = true;
    ship.update(heldControls());
    for (int n = 0; n < 50; ++n) {
        ship.advanceLook();
    }
    ship.reset();
    const entity_probe::ScreenPoint launcher = screenPoint(kShipDepth, 0.0f, 0.0f, -1.01f, -1.25f);
    for (int n = 0; n < 3; ++n) {
        const Frame f = drawn(ship);
        EXPECT_TRUE(same(f.at(launcher.x, launcher.y), weapon[0]));
        EXPECT_EQ(weaponPixels(f, weapon[1]), 0);
    }
}

TEST_F(PlayerShipPicture, BothFlamesCycleThroughTheFourImages) {
    PlayerShip ship = paintedShip();
    const entity_probe::ScreenPoint leftFlame =
        screenPoint(kShipDepth, 0.0f, -0.35f, -0.99f, 1.55f);
    const entity_probe::ScreenPoint rightFlame =
        screenPoint(kShipDepth, 0.0f, 0.35f, -0.99f, 1.55f);
    std::string left;
    std::string right;
    const auto imageAt = [this](const Frame& f, entity_probe::ScreenPoint p) {
        for (int i = 0; i < 4; ++i) {
            if (same(f.at(p.x, p.y), thrust[i])) {
                return char('1' + i);
            }
        }
        return '-';
    };
    for (int n = 0; n < 33; ++n) {
        const Frame f = drawn(ship);
        left += imageAt(f, leftFlame);
        right += imageAt(f, rightFlame);
    }
    EXPECT_EQ(left, "11111222233334444"
                    "1111222233334444");
    EXPECT_EQ(right, left);
}

} // namespace
