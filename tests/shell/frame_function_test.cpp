// The frame function as the platforms call it: one step, its frame drawn and presented, its
// sounds played and its quit posted, and the period waited out once.
#include "game/game.h"
#include "platform/virtual_keys.h"
#include "shell/common/frame_step.h"
#include "tests/support/gl_fixture.h"
#include "tests/support/test_platform.h"

#include <gtest/gtest.h>
#include <vector>

namespace {

TEST(FrameFunction, StepsDrawsPresentsPlaysAndWaitsOncePerCall) {
    ASSERT_TRUE(sharedGlContext().ok()) << sharedGlContext().error();
    test_platform::reset();
    FrameStep(); // set-up
    FrameStep(); // the first menu frame arms the arrows
    test_platform::press(KeyDown);
    FrameStep();
    test_platform::release(KeyDown);
    test_platform::press(KeyReturn);
    FrameStep();
    EXPECT_EQ(frameStepGame().gameState, GameState::Quit);
    EXPECT_EQ(test_platform::state().quitRequests, 0);
    FrameStep();
    FrameStep();

    const test_platform::State& s = test_platform::state();
    EXPECT_EQ(s.sounds,
              (std::vector<SoundEffect>{SoundEffect::MenuMove, SoundEffect::MenuConfirm}));
    EXPECT_EQ(s.quitRequests, 2);
    EXPECT_EQ(s.lastQuitCode, 0);
    EXPECT_EQ(s.swaps, 6);
    // One wait a call, of the whole period: the menu no longer waits on its own.
    EXPECT_EQ(s.waits, 6);
    EXPECT_EQ(s.tick, 6 * kFramePeriodMs);
}

TEST(FrameFunction, AFastForwardedCallDoesNotWait) {
    test_platform::reset();
    runFrame(CallInputs{}, FramePace::NoWait);
    EXPECT_EQ(test_platform::state().waits, 0);
    EXPECT_EQ(test_platform::state().swaps, 1);
}

} // namespace
