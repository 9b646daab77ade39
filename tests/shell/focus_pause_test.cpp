#include "game/game.h"
#include "platform/virtual_keys.h"
#include "replay/trace.h"
#include "shell/common/focus_pause.h"
#include "tests/support/rules_machine.h"

#include <gtest/gtest.h>
#include <set>
#include <string>

namespace {

// A game played frame by frame over the test platform, with the focus pause between the window
// events and the frames as the desktop shell has it: Escape is down in a frame when the player
// holds it or when the focus pause says so.
struct Session {
    // Keys the player holds, by frame: {first frame, last frame, key}.
    struct Hold {
        int from;
        int to;
        int key;
    };

    std::set<int> focusLostBefore; // frames before which the window loses the focus
    std::vector<Hold> holds;

    std::string play(int frames) const {
        rules_machine::reset();
        Game game;
        FocusPause focus;
        std::string trace;
        for (int frame = 0; frame < frames; ++frame) {
            // The shell's pass: the frame's Escape is settled first, then the one event.
            focus.beginFrame(game);
            if (focusLostBefore.count(frame) != 0) {
                focus.windowLeft();
            }
            for (const int key : {KeyReturn, KeyEscape, KeyLeft, KeySpace, KeyF2}) {
                rules_machine::release(key);
            }
            for (const Hold& hold : holds) {
                if (frame >= hold.from && frame <= hold.to) {
                    rules_machine::press(hold.key);
                }
            }
            if (focus.escapeDown()) {
                rules_machine::press(KeyEscape);
            }
            rules_machine::step(game);
            appendTraceLine(trace, frame, game);
        }
        return trace;
    }
};

// Play from frame 3, steer and fire from frame 10 on.
Session playing() {
    Session session;
    session.holds = {{3, 3, KeyReturn}, {10, 400, KeyLeft}, {10, 400, KeySpace}};
    return session;
}

bool pausedAfter(const std::string& trace, int frame) {
    std::size_t line = 0;
    for (int i = 0; i < frame; ++i) {
        line = trace.find('\n', line) + 1;
    }
    return trace.compare(trace.find("\"paused\":", line), 13, "\"paused\":true") == 0;
}

TEST(FocusPause, FocusLostInPlayIsEscapePressedInTheNextFrame) {
    Session lost = playing();
    lost.focusLostBefore = {60};
    Session escape = playing();
    escape.holds.push_back({61, 61, KeyEscape});
    const std::string trace = lost.play(200);
    // Nothing but the pause: the whole game state matches, frame by frame.
    EXPECT_EQ(trace, escape.play(200));
    EXPECT_FALSE(pausedAfter(trace, 60));
    EXPECT_TRUE(pausedAfter(trace, 61));
    EXPECT_TRUE(pausedAfter(trace, 199));
}

TEST(FocusPause, LostFocusLeavesAPausedGameAndTheMenuAsTheyAre) {
    // Paused by the player, then the focus leaves: it must not toggle the pause off.
    Session paused = playing();
    paused.holds.push_back({40, 40, KeyEscape});
    const std::string untouched = paused.play(120);
    paused.focusLostBefore = {60, 61, 90};
    EXPECT_EQ(paused.play(120), untouched);
    EXPECT_TRUE(pausedAfter(untouched, 119));

    // In the menu: nothing happens, and Play still works afterwards.
    Session menu;
    menu.holds = {{30, 30, KeyReturn}};
    const std::string menuUntouched = menu.play(60);
    menu.focusLostBefore = {1, 2, 20};
    EXPECT_EQ(menu.play(60), menuUntouched);
}

TEST(FocusPause, FocusLostAndMinimisedTogetherPauseOnce) {
    // Losing the focus and minimising arrive as two events, in two passes: one press only, or
    // the second would resume the game.
    Session twice = playing();
    twice.focusLostBefore = {60, 61};
    Session escape = playing();
    escape.holds.push_back({61, 61, KeyEscape});
    const std::string trace = twice.play(150);
    EXPECT_EQ(trace, escape.play(150));
    EXPECT_TRUE(pausedAfter(trace, 149));
}

TEST(FocusPause, EscapeStillHeldFromResumingDoesNotSwallowThePause) {
    // The player resumes with Escape and is still holding it when another window takes the
    // focus; the window system lets go of it then (the hold ends with frame 99). The frame that
    // handles the event sees it up, so the game's latch is open when the pause comes.
    Session held = playing();
    held.holds.push_back({40, 40, KeyEscape}); // pauses
    held.holds.push_back({70, 99, KeyEscape}); // resumes, held on
    held.focusLostBefore = {100};
    Session escape = playing();
    escape.holds.push_back({40, 40, KeyEscape});
    escape.holds.push_back({70, 99, KeyEscape});
    escape.holds.push_back({101, 101, KeyEscape});
    const std::string trace = held.play(140);
    EXPECT_EQ(trace, escape.play(140));
    EXPECT_FALSE(pausedAfter(trace, 100));
    EXPECT_TRUE(pausedAfter(trace, 101));
}

} // namespace
