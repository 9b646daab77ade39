#include "game/game.h"
#include "platform/virtual_keys.h"
#include "tests/support/rules_machine.h"

#include <gtest/gtest.h>

namespace {

// A new game just past its set-up, its menu's frames run one at a time.
struct Menu {
    Menu() { game.gameState = GameState::Menu; }

    void frame() {
        const CallOutcome outcome = rules_machine::step(game);
        EXPECT_EQ(outcome.picture.screen, Screen::Menu);
    }

    Game game;
    bool& quitChosen = game.menuQuitChosen;
    bool& playChosen = game.menuPlayChosen;
    float& cursorY = game.menuCursorY;
    int& selection = game.menuSelection;
    bool& upArmed = game.menuUpArmed;
    bool& downArmed = game.menuDownArmed;
};

class MainMenu : public ::testing::Test {
  protected:
    void SetUp() override { rules_machine::reset(); }
    Menu menu;
};

TEST_F(MainMenu, AnArrowMovesOncePerPressAndTheMarkerFollowsAFrameLater) {
    menu.frame(); // arms both arrows
    rules_machine::press(KeyDown);
    menu.frame();
    EXPECT_EQ(menu.selection, 1);
    EXPECT_FLOAT_EQ(menu.cursorY, 0.3f);
    for (int i = 0; i < 5; ++i) {
        menu.frame();
    }
    EXPECT_EQ(menu.selection, 1);
    EXPECT_FLOAT_EQ(menu.cursorY, -0.1f);

    rules_machine::release(KeyDown);
    menu.frame();
    rules_machine::press(KeyUp);
    menu.frame();
    EXPECT_EQ(menu.selection, 0);
    // Down from Play and Up from Play both wrap to the other entry.
    rules_machine::release(KeyUp);
    menu.frame();
    rules_machine::press(KeyUp);
    menu.frame();
    EXPECT_EQ(menu.selection, 1);
}

TEST_F(MainMenu, AnArrowHeldSinceStartUpMovesNothingUntilReleased) {
    rules_machine::press(KeyDown);
    menu.frame();
    menu.frame();
    EXPECT_EQ(menu.selection, 0);
    rules_machine::release(KeyDown);
    menu.frame();
    rules_machine::press(KeyDown);
    menu.frame();
    EXPECT_EQ(menu.selection, 1);
}

TEST_F(MainMenu, UpAndDownTogetherLeaveTheSelection) {
    menu.frame();
    rules_machine::press(KeyUp);
    rules_machine::press(KeyDown);
    menu.frame();
    EXPECT_EQ(menu.selection, 0);
    EXPECT_FALSE(menu.upArmed);
    EXPECT_FALSE(menu.downArmed);
}

TEST_F(MainMenu, ConfirmingNeedsNoReleaseAndTakesTheEntryJustSelected) {
    // Return held as the menu comes up starts the game at once.
    rules_machine::press(KeyReturn);
    menu.frame();
    EXPECT_TRUE(menu.playChosen);
    EXPECT_FALSE(menu.quitChosen);

    rules_machine::reset();
    Menu second;
    second.frame();
    rules_machine::press(KeyDown);
    rules_machine::press(KeySpace);
    second.frame();
    EXPECT_TRUE(second.quitChosen);
    EXPECT_FALSE(second.playChosen);
}

TEST_F(MainMenu, TheSelectionMovesWithASoundAndAConfirmationIsHeard) {
    menu.frame();
    rules_machine::press(KeyDown);
    menu.frame();
    rules_machine::release(KeyDown);
    rules_machine::press(KeyReturn);
    menu.frame();
    EXPECT_EQ(rules_machine::state().sounds,
              (std::vector<SoundEffect>{SoundEffect::MenuMove, SoundEffect::MenuConfirm}));
    EXPECT_EQ(menu.game.gameState, GameState::Quit);
}

} // namespace
