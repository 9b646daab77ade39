#include "entities/player_ship.h"
#include "platform/virtual_keys.h"
#include "tests/entities/entity_probe.h"
#include "tests/support/test_platform.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

using entity_probe::Rgb;
using entity_probe::same;
using entity_probe::screenPoint;

constexpr float kShipDepth = -6.5f;

class PlayerShipTest : public ::testing::Test {
  protected:
    void SetUp() override { test_platform::reset(); }
    void TearDown() override { test_platform::reset(); }

    // One playing frame as the game runs it: the switch animation advances in the draw.
    void frame() {
        ship.update();
        ship.draw();
    }
    void frames(int n) {
        for (int i = 0; i < n; ++i) {
            frame();
        }
    }
    std::vector<float> anglesOver(int n) {
        std::vector<float> angles;
        for (int i = 0; i < n; ++i) {
            frame();
            angles.push_back(ship.getAngle());
        }
        return angles;
    }
    void finishSwitch() {
        for (int n = 0; n < 1000 && ship.isSwitching(); ++n) {
            frame();
        }
    }
    // With the fire key held: waits for the next shot, then gives the gaps between the next ones.
    std::vector<int> shotGaps(int count) {
        int n = 0;
        while (!ship.isFireRequested() && n < 1000) {
            frame();
            ++n;
        }
        std::vector<int> gaps;
        int since = 0;
        while (int(gaps.size()) < count && since < 1000) {
            frame();
            ++since;
            if (ship.isFireRequested()) {
                gaps.push_back(since);
                since = 0;
            }
        }
        return gaps;
    }

    PlayerShip ship{0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
};

TEST_F(PlayerShipTest, HoldingLeftReachesExactlyMinus31In62FramesAndStays) {
    test_platform::press(KeyLeft);
    frames(61);
    EXPECT_EQ(ship.getAngle(), -30.5f);
    frame();
    EXPECT_EQ(ship.getAngle(), -31.0f);
    frames(40);
    EXPECT_EQ(ship.getAngle(), -31.0f);
}

TEST_F(PlayerShipTest, WithoutKeysTheShipDriftsBackAndRestsJustRightOfCentre) {
    test_platform::press(KeyLeft);
    frame();
    test_platform::release(KeyLeft);
    EXPECT_EQ(ship.getAngle(), -0.5f);
    const std::vector<float> afterLeft = anglesOver(40);
    EXPECT_FLOAT_EQ(afterLeft[0], -0.3f);
    EXPECT_FLOAT_EQ(afterLeft[1], -0.1f);
    EXPECT_NEAR(afterLeft[2], 0.1f, 1e-5f);
    EXPECT_EQ(afterLeft.back(), afterLeft[2]);

    ship.reset();
    test_platform::press(KeyRight);
    frame();
    EXPECT_EQ(ship.getAngle(), 0.5f);
    test_platform::release(KeyRight);
    const std::vector<float> afterRight = anglesOver(40);
    EXPECT_FLOAT_EQ(afterRight[0], 0.3f);
    EXPECT_NEAR(afterRight[1], 0.1f, 1e-5f);
    EXPECT_EQ(afterRight.back(), afterRight[1]);
}

TEST_F(PlayerShipTest, TheBoundIsTestedBeforeTheStep) {
    test_platform::press(KeyLeft);
    frame();
    test_platform::release(KeyLeft);
    frames(10); // at rest a hair below +0.1
    test_platform::press(KeyLeft);
    frames(100);
    EXPECT_NEAR(ship.getAngle(), -31.4f, 1e-4f);
}

TEST_F(PlayerShipTest, BothArrowsHeldDriftLikeNoArrow) {
    test_platform::press(KeyRight);
    frames(10);
    EXPECT_EQ(ship.getAngle(), 5.0f);
    test_platform::press(KeyLeft);
    const std::vector<float> bothHeld = anglesOver(3);
    EXPECT_FLOAT_EQ(bothHeld[0], 4.8f);
    EXPECT_FLOAT_EQ(bothHeld[1], 4.6f);
    EXPECT_FLOAT_EQ(bothHeld[2], 4.4f);
}

TEST_F(PlayerShipTest, HeldFireShootsFirstIn26thUpdateThenAtEachWeaponsCadence) {
    test_platform::press(KeySpace);
    int firstShot = 0;
    for (int n = 1; n <= 30 && firstShot == 0; ++n) {
        frame();
        firstShot = ship.isFireRequested() ? n : 0;
    }
    EXPECT_EQ(firstShot, 26);
    EXPECT_EQ(shotGaps(3), (std::vector<int>{26, 26, 26}));

    ship.gotWeapon2 = true;
    frame();
    finishSwitch();
    EXPECT_EQ(shotGaps(3), (std::vector<int>{16, 16, 16}));

    ship.gotWeapon3 = true;
    frame();
    finishSwitch();
    EXPECT_EQ(shotGaps(2), (std::vector<int>{61, 61}));
}

TEST_F(PlayerShipTest, APowerupWhileFiringSwitchesAtOnceAndHoldsFireFor78Frames) {
    test_platform::press(KeySpace);
    shotGaps(0);
    frames(5);
    ship.gotWeapon2 = true;
    ship.update();
    EXPECT_EQ(ship.getCurrentWeapon(), 2);
    EXPECT_EQ(ship.getHighestWeapon(), 2);
    EXPECT_TRUE(ship.isSwitching());
    EXPECT_FALSE(ship.gotWeapon2);
    ship.draw();

    int switchFrames = 1;
    bool firedDuringSwitch = false;
    while (ship.isSwitching() && switchFrames < 1000) {
        frame();
        ++switchFrames;
        firedDuringSwitch = firedDuringSwitch || ship.isFireRequested();
    }
    EXPECT_EQ(switchFrames, 78);
    EXPECT_FALSE(firedDuringSwitch);
    // The cooldown kept counting through the animation.
    frame();
    EXPECT_TRUE(ship.isFireRequested());
}

TEST_F(PlayerShipTest, DigitsSelectOnlyUnlockedOtherWeaponsAndTheLowestWins) {
    test_platform::press(Key1);
    test_platform::press(Key2);
    test_platform::press(Key3);
    frames(3);
    EXPECT_EQ(ship.getCurrentWeapon(), 1);
    EXPECT_FALSE(ship.isSwitching());

    test_platform::reset();
    ship.gotWeapon2 = true;
    ship.gotWeapon3 = true;
    frame();
    EXPECT_EQ(ship.getHighestWeapon(), 3);
    EXPECT_EQ(ship.getCurrentWeapon(), 3);
    finishSwitch();

    test_platform::press(Key3);
    test_platform::press(Key2);
    test_platform::press(Key1);
    frame();
    EXPECT_EQ(ship.getCurrentWeapon(), 1);
    // Digits are ignored until the animation is over.
    test_platform::release(Key1);
    frames(10);
    EXPECT_EQ(ship.getCurrentWeapon(), 1);
    finishSwitch();
    frame();
    EXPECT_EQ(ship.getCurrentWeapon(), 2);
}

TEST_F(PlayerShipTest, HitsLivesAndScore) {
    ship.hitPending = true;
    ship.hitPending = true;
    ship.update();
    EXPECT_EQ(ship.getLives(), 4);
    EXPECT_FALSE(ship.hitPending);
    ship.update();
    EXPECT_EQ(ship.getLives(), 4);

    ship.repair();
    ship.repair();
    EXPECT_EQ(ship.getLives(), 5);

    ship.addKillScore(6);
    ship.addKillScore(7);
    ship.addKillScore(0);
    EXPECT_EQ(ship.getScore(), 0);
    ship.addKillScore(5);
    EXPECT_EQ(ship.getScore(), 250);
    for (int kind = 1; kind <= 4; ++kind) {
        ship.addKillScore(kind);
    }
    EXPECT_EQ(ship.getScore(), 250 + 5 + 8 + 8 + 10);
}

TEST_F(PlayerShipTest, ResetDuringASwitchGivesWeaponOneAtOnce) {
    test_platform::press(KeyLeft);
    test_platform::press(KeySpace);
    ship.gotWeapon3 = true;
    ship.hitPending = true;
    frames(20);
    ship.addKillScore(5);
    ship.hitPending = true;
    ship.gotWeapon2 = true;
    ship.reset();
    test_platform::reset();

    EXPECT_FALSE(ship.isSwitching());
    EXPECT_EQ(ship.getCurrentWeapon(), 1);
    EXPECT_EQ(ship.getHighestWeapon(), 1);
    EXPECT_EQ(ship.getLives(), 5);
    EXPECT_EQ(ship.getScore(), 0);
    EXPECT_EQ(ship.getAngle(), 0.0f);
    EXPECT_EQ(ship.getFireCooldown(), 0);
    frame();
    // The flags raised before the reset were dropped with it.
    EXPECT_EQ(ship.getLives(), 5);
    EXPECT_EQ(ship.getHighestWeapon(), 1);
    EXPECT_FALSE(ship.isSwitching());
}

// The ship drawn into a real frame, with one flat colour per image.
class PlayerShipPicture : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(sharedGlContext().ok()) << sharedGlContext().error();
        test_platform::reset();
        entity_probe::prepareView();
    }
    void TearDown() override { test_platform::reset(); }

    static TextureId solid(Rgb c) { return entity_probe::makeTexture({c}); }

    Frame drawn(PlayerShip& ship) {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        ship.draw();
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

    PlayerShip paintedShip() {
        return PlayerShip(solid(hull[0]), solid(hull[1]), solid(hull[2]), solid(hull[3]),
                          solid(hull[4]), solid(weapon[0]), solid(weapon[1]), solid(weapon[2]),
                          solid(thrust[0]), solid(thrust[1]), solid(thrust[2]), solid(thrust[3]));
    }
};

TEST_F(PlayerShipPicture, TheHullSitsAtTheBottomCentreAndSlidesLeftWithTheAngle) {
    PlayerShip ship{0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
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

    test_platform::press(KeyLeft);
    for (int i = 0; i < 62; ++i) {
        ship.update();
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
        ship.update();
    }
}

TEST_F(PlayerShipPicture, AHitFlashesRedInExactlyThreeFramesEvenAcrossARestart) {
    PlayerShip ship = paintedShip();
    const auto flashing = [this](const Frame& f) { return same(f.at(5, 5), red); };
    ship.hitPending = true;
    EXPECT_FALSE(flashing(drawn(ship)));
    ship.update();
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
    ship.update();
    for (int n = 0; n < 200 && ship.isSwitching(); ++n) {
        ship.draw();
    }
    ship.gotWeapon3 = true;
    ship.update();
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
    ship.update();
    for (int n = 0; n < 50; ++n) {
        ship.draw();
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
