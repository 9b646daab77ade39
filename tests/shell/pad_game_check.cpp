// The real game in its real window, played with a virtual pad: the desktop shell and the frame
// function run as in the game's own loop, and before each frame a short script sets the pad's
// buttons and stick, then looks at the game. Run on an Xvfb screen whose window has the keyboard
// focus, as SDL gives pads only to a focused window (pad_game_end_to_end.sh). Exit status 0 when
// every step did what it should.
#include "game/game.h"
#include "shell/common/frame_step.h"
#include "shell/sdl/frame_clock.h"
#include "shell/sdl/pad_input.h"
#include "shell/sdl/sdl_backend.h"
#include "tests/support/virtual_pad.h"

#include <cstdio>
#include <cstdlib>

namespace {

constexpr Sint16 kFullTilt = 32767;
// Frames to wait for the window to get the focus; fonts and images load in the first one.
constexpr int kFocusFrames = 1000;
// Frames a button is held, and then left alone, for one press the game's latches see.
constexpr int kPressFrames = 3;

Game& game() {
    return frameStepGame();
}

// The script tries the controls, not the player's luck: an enemy's hits must not end the game
// in the middle of it.
void keepAlive() {
    game().ship.repair();
}

// One pass of the game's loop, as shell/sdl/main.cpp runs it.
void runFrames(int count) {
    for (int frame = 0; frame < count; ++frame) {
        if (!runMessagePass()) {
            std::fprintf(stderr, "FAIL: the game ended before the script did\n");
            std::exit(1);
        }
        pollPads(game().gameState == GameState::Playing);
        FrameStep();
        keepAlive();
    }
}

void expect(bool holds, const char* what) {
    std::printf("%s: %s\n", holds ? "ok" : "FAIL", what);
    if (!holds) {
        stopPads();
        closeGameWindow();
        std::exit(1);
    }
}

void press(VirtualPad& pad, SDL_GameControllerButton button) {
    pad.press(button);
    runFrames(kPressFrames);
    pad.release(button);
    runFrames(kPressFrames);
}

void chord(VirtualPad& pad, SDL_GameControllerButton button) {
    pad.press(SDL_CONTROLLER_BUTTON_BACK);
    pad.press(button);
    runFrames(kPressFrames);
    pad.release(button);
    pad.release(SDL_CONTROLLER_BUTTON_BACK);
    runFrames(kPressFrames);
}

float angleAfterSteering(VirtualPad& pad, int frames) {
    runFrames(frames);
    const float angle = game().ship.getAngle();
    pad.release(SDL_CONTROLLER_BUTTON_DPAD_LEFT);
    pad.release(SDL_CONTROLLER_BUTTON_DPAD_RIGHT);
    pad.setAxis(SDL_CONTROLLER_AXIS_LEFTX, 0);
    return angle;
}

// Lets the ship drift back to rest, where it stays while nothing steers it.
float restingAngle() {
    runFrames(150);
    return game().ship.getAngle();
}

void waitForSwitch() {
    for (int frame = 0; frame < 200 && game().ship.isSwitching(); ++frame) {
        runFrames(1);
    }
}

void menu(VirtualPad& pad) {
    expect(game().gameState == GameState::Menu, "the game starts in the menu");
    pad.setAxis(SDL_CONTROLLER_AXIS_LEFTY, kFullTilt);
    runFrames(kPressFrames);
    pad.setAxis(SDL_CONTROLLER_AXIS_LEFTY, 0);
    runFrames(kPressFrames);
    expect(game().menuSelection == 1, "the stick pushed down selects Quit");
    pad.setAxis(SDL_CONTROLLER_AXIS_LEFTY, -kFullTilt / 5);
    runFrames(kPressFrames);
    pad.setAxis(SDL_CONTROLLER_AXIS_LEFTY, 0);
    expect(game().menuSelection == 1, "the stick barely moved up selects nothing");
    press(pad, SDL_CONTROLLER_BUTTON_DPAD_UP);
    expect(game().menuSelection == 0, "d-pad up selects Play");
    press(pad, SDL_CONTROLLER_BUTTON_START);
    expect(game().gameState == GameState::Playing, "Start in the menu plays");
    expect(!game().paused, "the game Start began is not paused");
}

void steering(VirtualPad& pad) {
    float rest = restingAngle();
    pad.press(SDL_CONTROLLER_BUTTON_DPAD_RIGHT);
    expect(angleAfterSteering(pad, 20) > rest + 5.0f, "d-pad right steers right");
    rest = restingAngle();
    pad.setAxis(SDL_CONTROLLER_AXIS_LEFTX, -kFullTilt);
    expect(angleAfterSteering(pad, 20) < rest - 5.0f, "the stick pushed left steers left");
    rest = restingAngle();
    pad.setAxis(SDL_CONTROLLER_AXIS_LEFTX, kFullTilt / 5);
    expect(angleAfterSteering(pad, 20) == rest, "the stick within its dead zone steers nothing");
}

void firingAndWeapons(VirtualPad& pad) {
    // A shot starts the weapon's cooldown count again from 0.
    expect(game().ship.getFireCooldown() > 2 * kPressFrames, "nothing has fired since the start");
    press(pad, SDL_CONTROLLER_BUTTON_A);
    expect(game().ship.getFireCooldown() < 2 * kPressFrames, "A fires");

    // As if both weapon power-ups had been caught.
    game().ship.gotWeapon2 = true;
    game().ship.gotWeapon3 = true;
    runFrames(1);
    waitForSwitch();
    const struct {
        SDL_GameControllerButton button;
        int weapon;
        const char* what;
    } weapons[] = {{SDL_CONTROLLER_BUTTON_X, 1, "X selects weapon 1"},
                   {SDL_CONTROLLER_BUTTON_Y, 2, "Y selects weapon 2"},
                   {SDL_CONTROLLER_BUTTON_B, 3, "B selects weapon 3"}};
    for (const auto& weapon : weapons) {
        press(pad, weapon.button);
        waitForSwitch();
        expect(game().ship.getCurrentWeapon() == weapon.weapon, weapon.what);
    }
}

void pauseAndOverlay(VirtualPad& pad) {
    chord(pad, SDL_CONTROLLER_BUTTON_X);
    expect(!game().paused && game().frameCounter > 2 * kPressFrames,
           "Back and X in play do nothing");
    press(pad, SDL_CONTROLLER_BUTTON_START);
    expect(game().paused, "Start in play pauses");
    press(pad, SDL_CONTROLLER_BUTTON_START);
    expect(!game().paused, "Start again resumes");
    press(pad, SDL_CONTROLLER_BUTTON_START);
    chord(pad, SDL_CONTROLLER_BUTTON_X);
    expect(!game().paused && game().frameCounter <= 2 * kPressFrames,
           "Back and X in the overlay restart");
    press(pad, SDL_CONTROLLER_BUTTON_START);
    chord(pad, SDL_CONTROLLER_BUTTON_Y);
    expect(game().gameState == GameState::Menu, "Back and Y in the overlay go to the menu");
    press(pad, SDL_CONTROLLER_BUTTON_START);
    expect(game().gameState == GameState::Playing && !game().paused,
           "Start in the menu plays again, and does not pause the new game");
}

// A pad pulled out while it steers lets go; another one plugged in takes over.
void unplugAndQuit(VirtualPad& pad) {
    pad.press(SDL_CONTROLLER_BUTTON_DPAD_RIGHT);
    runFrames(10);
    pad.unplug();
    runFrames(150);
    const float rest = game().ship.getAngle();
    runFrames(20);
    expect(game().ship.getAngle() == rest, "a pad pulled out while steering steers no more");

    VirtualPad second("Glimmerwake second test pad");
    press(second, SDL_CONTROLLER_BUTTON_START);
    expect(game().paused, "a pad plugged in while playing pauses");
    second.press(SDL_CONTROLLER_BUTTON_BACK);
    second.press(SDL_CONTROLLER_BUTTON_B);
    for (int frame = 0; frame < 10 && runMessagePass(); ++frame) {
        pollPads(game().gameState == GameState::Playing);
        FrameStep();
    }
    expect(game().gameState == GameState::Quit, "Back and B in the overlay quit");
}

} // namespace

int main(int, char**) {
    initFrameClock();
    if (!openGameWindow(1024, 768, 16)) {
        return 1;
    }
    startPads();
    {
        VirtualPad pad;
        for (int frame = 0; frame < kFocusFrames && SDL_GetKeyboardFocus() == nullptr; ++frame) {
            runFrames(1);
        }
        expect(SDL_GetKeyboardFocus() != nullptr, "the window has the keyboard focus");
        runFrames(kPressFrames);
        menu(pad);
        steering(pad);
        firingAndWeapons(pad);
        pauseAndOverlay(pad);
        unplugAndQuit(pad);
    }
    stopPads();
    closeGameWindow();
    return shell().quitCode;
}
