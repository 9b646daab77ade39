// The pads as the game sees them, through virtual game controllers SDL keeps in memory: which
// virtual keys each control holds down, the stick's dead zone, pads plugged in and pulled out,
// and several pads at once. No display and no hardware.
#include "platform/virtual_keys.h"
#include "shell/sdl/pad_input.h"
#include "tests/support/virtual_pad.h"

#include <SDL.h>
#include <cstdlib>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

constexpr int kGameKeys[] = {KeyReturn, KeyEscape, KeySpace, KeyLeft, KeyUp, KeyRight, KeyDown,
                             Key1,      Key2,      Key3,     KeyF2,   KeyF3, KeyF4};

constexpr Sint16 kFullTilt = 32767;

// The game keys a pad holds down, in the order of kGameKeys.
std::vector<int> heldKeys() {
    std::vector<int> held;
    for (const int key : kGameKeys) {
        if (padKeyDown(key)) {
            held.push_back(key);
        }
    }
    return held;
}

std::vector<int> keys(std::initializer_list<int> list) {
    return list;
}

// Where SDL's game-controller layer does not start, there are simply no pads.
TEST(PadsNotStarted, NoKeyIsDownAndPollingIsHarmless) {
    pollPads(true);
    EXPECT_EQ(heldKeys(), keys({}));
    stopPads();
}

class Pads : public ::testing::Test {
  protected:
    void SetUp() override { startPads(); }
    void TearDown() override { stopPads(); }
};

TEST_F(Pads, WithoutAPadNoKeyIsDown) {
    pollPads(true);
    EXPECT_EQ(heldKeys(), keys({}));
    EXPECT_FALSE(padKeyDown(-1));
    EXPECT_FALSE(padKeyDown(0x1000));
}

TEST_F(Pads, EachButtonHoldsItsKeyAndOnlyThatOne) {
    struct Case {
        SDL_GameControllerButton button;
        int key;
    };
    const Case cases[] = {
        {SDL_CONTROLLER_BUTTON_DPAD_LEFT, KeyLeft},
        {SDL_CONTROLLER_BUTTON_DPAD_RIGHT, KeyRight},
        {SDL_CONTROLLER_BUTTON_DPAD_UP, KeyUp},
        {SDL_CONTROLLER_BUTTON_DPAD_DOWN, KeyDown},
        {SDL_CONTROLLER_BUTTON_A, KeySpace},
        {SDL_CONTROLLER_BUTTON_X, Key1},
        {SDL_CONTROLLER_BUTTON_Y, Key2},
        {SDL_CONTROLLER_BUTTON_B, Key3},
    };
    VirtualPad pad;
    for (const bool inPlay : {true, false}) {
        for (const Case& c : cases) {
            pad.press(c.button);
            pollPads(inPlay);
            EXPECT_EQ(heldKeys(), keys({c.key})) << "button " << c.button << " in play " << inPlay;
            pad.release(c.button);
            pollPads(inPlay);
            EXPECT_EQ(heldKeys(), keys({})) << "button " << c.button << " released";
        }
    }
}

TEST_F(Pads, UnmappedButtonsHoldNothing) {
    VirtualPad pad;
    for (const SDL_GameControllerButton button :
         {SDL_CONTROLLER_BUTTON_GUIDE, SDL_CONTROLLER_BUTTON_LEFTSHOULDER,
          SDL_CONTROLLER_BUTTON_RIGHTSHOULDER, SDL_CONTROLLER_BUTTON_LEFTSTICK,
          SDL_CONTROLLER_BUTTON_BACK}) {
        pad.press(button);
        pollPads(true);
        EXPECT_EQ(heldKeys(), keys({})) << "button " << button;
        pad.release(button);
    }
    pad.setAxis(SDL_CONTROLLER_AXIS_RIGHTX, kFullTilt);
    pad.setAxis(SDL_CONTROLLER_AXIS_TRIGGERLEFT, kFullTilt);
    pollPads(true);
    EXPECT_EQ(heldKeys(), keys({}));
}

// The overlay's choices need Back and a weapon button together; with Back held the weapon
// buttons select no weapon, while steering, firing and Start work as ever.
TEST_F(Pads, BackTurnsTheWeaponButtonsIntoTheOverlayChoices) {
    VirtualPad pad;
    pad.press(SDL_CONTROLLER_BUTTON_BACK);
    const struct {
        SDL_GameControllerButton button;
        int key;
    } chords[] = {
        {SDL_CONTROLLER_BUTTON_X, KeyF2},           {SDL_CONTROLLER_BUTTON_Y, KeyF3},
        {SDL_CONTROLLER_BUTTON_B, KeyF4},           {SDL_CONTROLLER_BUTTON_A, KeySpace},
        {SDL_CONTROLLER_BUTTON_DPAD_LEFT, KeyLeft}, {SDL_CONTROLLER_BUTTON_START, KeyEscape}};
    for (const auto& chord : chords) {
        pad.press(chord.button);
        pollPads(true);
        EXPECT_EQ(heldKeys(), keys({chord.key})) << "Back and button " << chord.button;
        pad.release(chord.button);
    }
    // Letting go of Back while the button stays down turns the choice back into a weapon.
    pad.press(SDL_CONTROLLER_BUTTON_Y);
    pollPads(true);
    EXPECT_EQ(heldKeys(), keys({KeyF3}));
    pad.release(SDL_CONTROLLER_BUTTON_BACK);
    pollPads(true);
    EXPECT_EQ(heldKeys(), keys({Key2}));
}

// Start pauses in play and confirms in the menu. What it stands for is settled when it goes
// down: held from the menu into play it must not pause the game it has just started.
TEST_F(Pads, StartKeepsTheMeaningItHadWhenPressed) {
    VirtualPad pad;
    pad.press(SDL_CONTROLLER_BUTTON_START);
    pollPads(false);
    EXPECT_EQ(heldKeys(), keys({KeyReturn}));
    pollPads(true);
    pollPads(true);
    EXPECT_EQ(heldKeys(), keys({KeyReturn})) << "the game began while Start was held";
    pad.release(SDL_CONTROLLER_BUTTON_START);
    pollPads(true);
    EXPECT_EQ(heldKeys(), keys({}));

    pad.press(SDL_CONTROLLER_BUTTON_START);
    pollPads(true);
    EXPECT_EQ(heldKeys(), keys({KeyEscape}));
    pollPads(false);
    EXPECT_EQ(heldKeys(), keys({KeyEscape})) << "the game left play while Start was held";
    pad.release(SDL_CONTROLLER_BUTTON_START);
    pollPads(false);
    pad.press(SDL_CONTROLLER_BUTTON_START);
    pollPads(false);
    EXPECT_EQ(heldKeys(), keys({KeyReturn}));
}

// A stick resting a little off-centre steers nothing; pushed well out it is an arrow, both ways
// on both axes, and pushed along a diagonal it holds two.
TEST_F(Pads, TheLeftStickIsTheArrowsOutsideItsDeadZone) {
    VirtualPad pad;
    const Sint16 rest = kFullTilt / 5;
    const Sint16 push = kFullTilt / 3;
    const struct {
        SDL_GameControllerAxis axis;
        int sign;
        int key;
    } ways[] = {{SDL_CONTROLLER_AXIS_LEFTX, -1, KeyLeft},
                {SDL_CONTROLLER_AXIS_LEFTX, +1, KeyRight},
                {SDL_CONTROLLER_AXIS_LEFTY, -1, KeyUp},
                {SDL_CONTROLLER_AXIS_LEFTY, +1, KeyDown}};
    for (const auto& way : ways) {
        pad.setAxis(way.axis, static_cast<Sint16>(way.sign * rest));
        pollPads(true);
        EXPECT_EQ(heldKeys(), keys({})) << "axis " << way.axis << " resting at " << way.sign;
        for (const Sint16 tilt : {push, kFullTilt}) {
            pad.setAxis(way.axis, static_cast<Sint16>(way.sign * tilt));
            pollPads(true);
            EXPECT_EQ(heldKeys(), keys({way.key})) << "axis " << way.axis << " at " << tilt;
        }
        pad.setAxis(way.axis, 0);
    }
    // SDL's most negative axis value has no positive twin.
    pad.setAxis(SDL_CONTROLLER_AXIS_LEFTX, -32768);
    pad.setAxis(SDL_CONTROLLER_AXIS_LEFTY, kFullTilt);
    pollPads(true);
    EXPECT_EQ(heldKeys(), keys({KeyLeft, KeyDown}));
    // The stick and the d-pad both hold Left; letting go of one leaves it held.
    pad.press(SDL_CONTROLLER_BUTTON_DPAD_LEFT);
    pad.setAxis(SDL_CONTROLLER_AXIS_LEFTX, 0);
    pad.setAxis(SDL_CONTROLLER_AXIS_LEFTY, 0);
    pollPads(true);
    EXPECT_EQ(heldKeys(), keys({KeyLeft}));
}

TEST_F(Pads, APadPluggedInWhilePlayingCountsAndPullingItOutReleasesWhatItHeld) {
    pollPads(true);
    VirtualPad pad;
    pad.press(SDL_CONTROLLER_BUTTON_DPAD_RIGHT);
    pad.setAxis(SDL_CONTROLLER_AXIS_LEFTY, -kFullTilt);
    pad.press(SDL_CONTROLLER_BUTTON_A);
    pollPads(true);
    EXPECT_EQ(heldKeys(), keys({KeySpace, KeyUp, KeyRight}));
    pad.unplug();
    pollPads(true);
    EXPECT_EQ(heldKeys(), keys({}));
    EXPECT_EQ(SDL_JoystickFromInstanceID(pad.instanceId()), nullptr)
        << "the pads still hold the one pulled out";

    // Plugged in again, it starts from what it holds then.
    VirtualPad again;
    pollPads(true);
    EXPECT_EQ(heldKeys(), keys({}));
    again.press(SDL_CONTROLLER_BUTTON_X);
    pollPads(true);
    EXPECT_EQ(heldKeys(), keys({Key1}));
}

TEST(PadsAtStart, APadPluggedInBeforeTheStartCounts) {
    // The test's own hold on the joystick layer, so that the pad exists before the pads start.
    ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_JOYSTICK), 0) << SDL_GetError();
    {
        VirtualPad pad;
        pad.press(SDL_CONTROLLER_BUTTON_Y);
        startPads();
        pollPads(true);
        EXPECT_EQ(heldKeys(), keys({Key2}));
        stopPads();
        EXPECT_EQ(heldKeys(), keys({})) << "keys held after the pads stopped";
    }
    SDL_QuitSubSystem(SDL_INIT_JOYSTICK);
}

TEST_F(Pads, TwoPadsAtOnceBothDriveTheGame) {
    VirtualPad first("Glimmerwake test pad one");
    VirtualPad second("Glimmerwake test pad two");
    first.press(SDL_CONTROLLER_BUTTON_DPAD_LEFT);
    second.press(SDL_CONTROLLER_BUTTON_A);
    pollPads(true);
    EXPECT_EQ(heldKeys(), keys({KeySpace, KeyLeft}));

    // Each pad's Start has a meaning of its own: the second one, pressed in play, pauses.
    first.press(SDL_CONTROLLER_BUTTON_START);
    pollPads(false);
    second.press(SDL_CONTROLLER_BUTTON_START);
    pollPads(true);
    EXPECT_EQ(heldKeys(), keys({KeyReturn, KeyEscape, KeySpace, KeyLeft}));

    // Back on one pad makes no chord with the other's buttons.
    first.release(SDL_CONTROLLER_BUTTON_START);
    second.release(SDL_CONTROLLER_BUTTON_START);
    first.press(SDL_CONTROLLER_BUTTON_BACK);
    second.press(SDL_CONTROLLER_BUTTON_B);
    pollPads(true);
    EXPECT_EQ(heldKeys(), keys({KeySpace, KeyLeft, Key3}));

    first.unplug();
    pollPads(true);
    EXPECT_EQ(heldKeys(), keys({KeySpace, Key3}));
}

// A joystick SDL has no mapping for (a flight stick, say) is no pad: its buttons hold no key, and
// pads plugged in beside it, before or after, work as ever.
TEST_F(Pads, AJoystickWithoutAMappingIsNoPad) {
    VirtualPad stick("Glimmerwake unmapped stick", false);
    stick.press(0);
    stick.setAxis(0, kFullTilt);
    pollPads(true);
    EXPECT_EQ(heldKeys(), keys({}));
    VirtualPad pad;
    pad.press(SDL_CONTROLLER_BUTTON_A);
    pollPads(true);
    pollPads(true);
    EXPECT_EQ(heldKeys(), keys({KeySpace}));
    stick.unplug();
    pollPads(true);
    pad.press(SDL_CONTROLLER_BUTTON_DPAD_DOWN);
    pollPads(true);
    EXPECT_EQ(heldKeys(), keys({KeySpace, KeyDown}));
}

// The pads are read by state; none of their events may wait in the queue the shell works off one
// event per frame.
TEST_F(Pads, ThePadsLeaveNoEventsInTheQueue) {
    VirtualPad pad;
    for (int frame = 0; frame < 10; ++frame) {
        pad.setAxis(SDL_CONTROLLER_AXIS_LEFTX, static_cast<Sint16>(frame * 3000));
        pad.setButton(SDL_CONTROLLER_BUTTON_A, frame % 2 == 0);
        pollPads(true);
        SDL_PumpEvents();
    }
    pad.unplug();
    pollPads(true);
    SDL_PumpEvents();
    EXPECT_FALSE(SDL_HasEvents(SDL_JOYAXISMOTION, SDL_CONTROLLERSENSORUPDATE));
}

// A pad SDL does not know becomes a controller through a mapping the player gives in
// SDL_GAMECONTROLLERCONFIG, here one that puts A on the stick's fourth button.
TEST(PadsFromConfig, APadMappedInTheEnvironmentDrivesTheGame) {
    constexpr const char* kName = "Glimmerwake unknown stick";
    // SDL reads the variable when its joystick layer starts, so the layer must be down to
    // take a mapping made from the pad's GUID.
    ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_JOYSTICK), 0) << SDL_GetError();
    std::string guid;
    {
        VirtualPad probe(kName, false);
        guid = probe.guid();
    }
    SDL_QuitSubSystem(SDL_INIT_JOYSTICK);
    startPads();
    {
        VirtualPad unknown(kName, false);
        unknown.press(3);
        pollPads(true);
        EXPECT_EQ(heldKeys(), keys({})) << "a pad without a mapping drove the game";
    }
    stopPads();

    const std::string mapping = guid + "," + kName + ",a:b3,b:b2,x:b1,y:b0,leftx:a0,lefty:a1,";
    setenv("SDL_GAMECONTROLLERCONFIG", mapping.c_str(), 1);
    startPads();
    {
        VirtualPad known(kName, false);
        known.press(3);
        known.setAxis(0, kFullTilt);
        pollPads(true);
        EXPECT_EQ(heldKeys(), keys({KeySpace, KeyRight}));
    }
    stopPads();
    unsetenv("SDL_GAMECONTROLLERCONFIG");
}

} // namespace
