// XInput's reading of a pad, as the shared mapping takes it: the buttons by their places, and the
// stick turned to point down, full tilt included.
#include "platform/virtual_keys.h"
#include "shell/win32/xinput_pads.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace {

HeldKeys keysOf(const XINPUT_GAMEPAD& gamepad, bool inPlay, PadMapper& mapper) {
    HeldKeys held{};
    mapper.addHeldKeys(padStateFromXInput(gamepad), inPlay, held);
    return held;
}

TEST(XInputPads, ButtonsKeepTheirPlaces) {
    XINPUT_GAMEPAD gamepad{};
    gamepad.wButtons = XINPUT_GAMEPAD_A | XINPUT_GAMEPAD_X | XINPUT_GAMEPAD_DPAD_LEFT |
                       XINPUT_GAMEPAD_LEFT_SHOULDER;
    PadMapper mapper;
    const HeldKeys held = keysOf(gamepad, true, mapper);
    EXPECT_TRUE(held[KeySpace]);
    EXPECT_TRUE(held[Key1]);
    EXPECT_TRUE(held[KeyLeft]);
    // The shoulder buttons mean nothing to the game.
    EXPECT_EQ(std::count(held.begin(), held.end(), true), 3);

    // With Back, X is the overlay's restart instead of the first weapon.
    gamepad.wButtons = XINPUT_GAMEPAD_BACK | XINPUT_GAMEPAD_B;
    const HeldKeys chord = keysOf(gamepad, true, mapper);
    EXPECT_TRUE(chord[KeyF4]);
    EXPECT_FALSE(chord[Key3]);
}

TEST(XInputPads, TheStickPointsUpWhenPushedUpEvenAtFullTilt) {
    XINPUT_GAMEPAD gamepad{};
    gamepad.sThumbLY = 32767;
    EXPECT_EQ(padStateFromXInput(gamepad).leftY, -32767);
    gamepad.sThumbLY = -32768;
    gamepad.sThumbLX = -32768;
    const PadState down = padStateFromXInput(gamepad);
    EXPECT_EQ(down.leftY, 32768);
    EXPECT_EQ(down.leftX, -32768);
    PadMapper mapper;
    const HeldKeys held = keysOf(gamepad, true, mapper);
    EXPECT_TRUE(held[KeyDown]);
    EXPECT_TRUE(held[KeyLeft]);
    EXPECT_FALSE(held[KeyUp]);
    // Inside the dead zone the stick steers nothing.
    gamepad.sThumbLX = -kStickDeadZone;
    gamepad.sThumbLY = kStickDeadZone;
    const HeldKeys resting = keysOf(gamepad, true, mapper);
    EXPECT_EQ(std::count(resting.begin(), resting.end(), true), 0);
}

TEST(XInputPads, StartKeepsTheMeaningItHadWhenPressed) {
    XINPUT_GAMEPAD gamepad{};
    gamepad.wButtons = XINPUT_GAMEPAD_START;
    PadMapper mapper;
    // Pressed in the menu it confirms, and still does once the game it started is playing.
    EXPECT_TRUE(keysOf(gamepad, false, mapper)[KeyReturn]);
    EXPECT_TRUE(keysOf(gamepad, true, mapper)[KeyReturn]);
    gamepad.wButtons = 0;
    keysOf(gamepad, true, mapper);
    gamepad.wButtons = XINPUT_GAMEPAD_START;
    EXPECT_TRUE(keysOf(gamepad, true, mapper)[KeyEscape]);
}

} // namespace
