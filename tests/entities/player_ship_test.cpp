#include "entities/player_ship.h"
#include "platform/virtual_keys.h"
#include "tests/support/rules_machine.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

ShipControls heldControls() {
    return shipControls(rules_machine::state().inputs);
}

class PlayerShipTest : public ::testing::Test {
  protected:
    void SetUp() override { rules_machine::reset(); }
    void TearDown() override { rules_machine::reset(); }

    // One playing frame as the game runs it: the switch animation advances where the frame is
    // drawn.
    void frame() {
        ship.update(heldControls());
        ship.advanceLook();
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

    PlayerShip ship;
};

TEST_F(PlayerShipTest, HoldingLeftReachesExactlyMinus31In62FramesAndStays) {
    rules_machine::press(KeyLeft);
    frames(61);
    EXPECT_EQ(ship.getAngle(), -30.5f);
    frame();
    EXPECT_EQ(ship.getAngle(), -31.0f);
    frames(40);
    EXPECT_EQ(ship.getAngle(), -31.0f);
}

TEST_F(PlayerShipTest, WithoutKeysTheShipDriftsBackAndRestsJustRightOfCentre) {
    rules_machine::press(KeyLeft);
    frame();
    rules_machine::release(KeyLeft);
    EXPECT_EQ(ship.getAngle(), -0.5f);
    const std::vector<float> afterLeft = anglesOver(40);
    EXPECT_FLOAT_EQ(afterLeft[0], -0.3f);
    EXPECT_FLOAT_EQ(afterLeft[1], -0.1f);
    EXPECT_NEAR(afterLeft[2], 0.1f, 1e-5f);
    EXPECT_EQ(afterLeft.back(), afterLeft[2]);

    ship.reset();
    rules_machine::press(KeyRight);
    frame();
    EXPECT_EQ(ship.getAngle(), 0.5f);
    rules_machine::release(KeyRight);
    const std::vector<float> afterRight = anglesOver(40);
    EXPECT_FLOAT_EQ(afterRight[0], 0.3f);
    EXPECT_NEAR(afterRight[1], 0.1f, 1e-5f);
    EXPECT_EQ(afterRight.back(), afterRight[1]);
}

TEST_F(PlayerShipTest, TheBoundIsTestedBeforeTheStep) {
    rules_machine::press(KeyLeft);
    frame();
    rules_machine::release(KeyLeft);
    frames(10); // at rest a hair below +0.1
    rules_machine::press(KeyLeft);
    frames(100);
    EXPECT_NEAR(ship.getAngle(), -31.4f, 1e-4f);
}

TEST_F(PlayerShipTest, BothArrowsHeldDriftLikeNoArrow) {
    rules_machine::press(KeyRight);
    frames(10);
    EXPECT_EQ(ship.getAngle(), 5.0f);
    rules_machine::press(KeyLeft);
    const std::vector<float> bothHeld = anglesOver(3);
    EXPECT_FLOAT_EQ(bothHeld[0], 4.8f);
    EXPECT_FLOAT_EQ(bothHeld[1], 4.6f);
    EXPECT_FLOAT_EQ(bothHeld[2], 4.4f);
}

TEST_F(PlayerShipTest, HeldFireShootsFirstIn26thUpdateThenAtEachWeaponsCadence) {
    rules_machine::press(KeySpace);
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
    rules_machine::press(KeySpace);
    shotGaps(0);
    frames(5);
    ship.gotWeapon2 = true;
    ship.update(heldControls());
    EXPECT_EQ(ship.getCurrentWeapon(), 2);
    EXPECT_EQ(ship.getHighestWeapon(), 2);
    EXPECT_TRUE(ship.isSwitching());
    EXPECT_FALSE(ship.gotWeapon2);
    ship.advanceLook();

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
    rules_machine::press(Key1);
    rules_machine::press(Key2);
    rules_machine::press(Key3);
    frames(3);
    EXPECT_EQ(ship.getCurrentWeapon(), 1);
    EXPECT_FALSE(ship.isSwitching());

    rules_machine::reset();
    ship.gotWeapon2 = true;
    ship.gotWeapon3 = true;
    frame();
    EXPECT_EQ(ship.getHighestWeapon(), 3);
    EXPECT_EQ(ship.getCurrentWeapon(), 3);
    finishSwitch();

    rules_machine::press(Key3);
    rules_machine::press(Key2);
    rules_machine::press(Key1);
    frame();
    EXPECT_EQ(ship.getCurrentWeapon(), 1);
    // Digits are ignored until the animation is over.
    rules_machine::release(Key1);
    frames(10);
    EXPECT_EQ(ship.getCurrentWeapon(), 1);
    finishSwitch();
    frame();
    EXPECT_EQ(ship.getCurrentWeapon(), 2);
}

TEST_F(PlayerShipTest, HitsLivesAndScore) {
    ship.hitPending = true;
    ship.hitPending = true;
    ship.update(heldControls());
    EXPECT_EQ(ship.getLives(), 4);
    EXPECT_FALSE(ship.hitPending);
    ship.update(heldControls());
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
    rules_machine::press(KeyLeft);
    rules_machine::press(KeySpace);
    ship.gotWeapon3 = true;
    ship.hitPending = true;
    frames(20);
    ship.addKillScore(5);
    ship.hitPending = true;
    ship.gotWeapon2 = true;
    ship.reset();
    rules_machine::reset();

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

} // namespace
