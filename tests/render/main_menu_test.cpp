#include "platform/virtual_keys.h"
#include "render/main_menu.h"
#include "tests/support/test_platform.h"

#include <gtest/gtest.h>

namespace {

// The menu's six variables as the frame function keeps them, starting as a new game has them.
struct Menu {
    bool quitChosen = false;
    bool playChosen = false;
    float cursorY = 0.4f;
    int selection = 0;
    bool upArmed = false;
    bool downArmed = false;

    void frame() { runMainMenu(0, quitChosen, playChosen, cursorY, selection, upArmed, downArmed); }
};

class MainMenu : public ::testing::Test {
  protected:
    void SetUp() override { test_platform::reset(); }
    Menu menu;
};

TEST_F(MainMenu, AnArrowMovesOncePerPressAndTheMarkerFollowsAFrameLater) {
    menu.frame(); // arms both arrows
    test_platform::press(KeyDown);
    menu.frame();
    EXPECT_EQ(menu.selection, 1);
    EXPECT_FLOAT_EQ(menu.cursorY, 0.3f);
    for (int i = 0; i < 5; ++i) {
        menu.frame();
    }
    EXPECT_EQ(menu.selection, 1);
    EXPECT_FLOAT_EQ(menu.cursorY, -0.1f);

    test_platform::release(KeyDown);
    menu.frame();
    test_platform::press(KeyUp);
    menu.frame();
    EXPECT_EQ(menu.selection, 0);
    // Down from Play and Up from Play both wrap to the other entry.
    test_platform::release(KeyUp);
    menu.frame();
    test_platform::press(KeyUp);
    menu.frame();
    EXPECT_EQ(menu.selection, 1);
}

TEST_F(MainMenu, AnArrowHeldSinceStartUpMovesNothingUntilReleased) {
    test_platform::press(KeyDown);
    menu.frame();
    menu.frame();
    EXPECT_EQ(menu.selection, 0);
    test_platform::release(KeyDown);
    menu.frame();
    test_platform::press(KeyDown);
    menu.frame();
    EXPECT_EQ(menu.selection, 1);
}

TEST_F(MainMenu, UpAndDownTogetherLeaveTheSelection) {
    menu.frame();
    test_platform::press(KeyUp);
    test_platform::press(KeyDown);
    menu.frame();
    EXPECT_EQ(menu.selection, 0);
    EXPECT_FALSE(menu.upArmed);
    EXPECT_FALSE(menu.downArmed);
}

TEST_F(MainMenu, ConfirmingNeedsNoReleaseAndTakesTheEntryJustSelected) {
    // Return held as the menu comes up starts the game at once.
    test_platform::press(KeyReturn);
    menu.frame();
    EXPECT_TRUE(menu.playChosen);
    EXPECT_FALSE(menu.quitChosen);

    test_platform::reset();
    Menu second;
    second.frame();
    test_platform::press(KeyDown);
    test_platform::press(KeySpace);
    second.frame();
    EXPECT_TRUE(second.quitChosen);
    EXPECT_FALSE(second.playChosen);
}

TEST_F(MainMenu, EachFrameTakesItsTenMilliseconds) {
    menu.frame();
    menu.frame();
    EXPECT_EQ(test_platform::state().waits, 2);
    EXPECT_EQ(test_platform::state().tick, 20u);
}

} // namespace
