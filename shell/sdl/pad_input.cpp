// The game's keys on SDL game controllers, read by state once a frame.
#include "shell/sdl/pad_input.h"

#include "platform/virtual_keys.h"

#include <SDL.h>
#include <array>
#include <utility>
#include <vector>

namespace {

// How far the left stick must leave its centre, out of 32767, before it counts as an arrow: a
// quarter of its travel, so a stick that rests a little off-centre steers nothing.
constexpr int kStickDeadZone = 32767 / 4;

// The virtual-key codes are all below 256.
constexpr int kVirtualKeyCount = 256;

// Whether a button counts with Back held, without it, or either way. Back turns the weapon
// buttons into the pause overlay's choices, so a restart or a quit needs two buttons that play
// never presses together: neither is the fire button, and Back on its own does nothing.
enum class Chord { Either, Alone, WithBack };

struct ButtonBinding {
    SDL_GameControllerButton button;
    Chord chord;
    int virtualKey;
};

// The weapons sit on the three face buttons around A, in reading order: X on the left is 1, Y on
// top 2, B on the right 3. Every mapped controller has these four; switching is an occasional
// choice that the game prompts for, while the fire button is held most of the time.
constexpr ButtonBinding kButtonBindings[] = {
    {SDL_CONTROLLER_BUTTON_DPAD_LEFT, Chord::Either, KeyLeft},
    {SDL_CONTROLLER_BUTTON_DPAD_RIGHT, Chord::Either, KeyRight},
    {SDL_CONTROLLER_BUTTON_DPAD_UP, Chord::Either, KeyUp},
    {SDL_CONTROLLER_BUTTON_DPAD_DOWN, Chord::Either, KeyDown},
    {SDL_CONTROLLER_BUTTON_A, Chord::Either, KeySpace},
    {SDL_CONTROLLER_BUTTON_X, Chord::Alone, Key1},
    {SDL_CONTROLLER_BUTTON_Y, Chord::Alone, Key2},
    {SDL_CONTROLLER_BUTTON_B, Chord::Alone, Key3},
    {SDL_CONTROLLER_BUTTON_X, Chord::WithBack, KeyF2},
    {SDL_CONTROLLER_BUTTON_Y, Chord::WithBack, KeyF3},
    {SDL_CONTROLLER_BUTTON_B, Chord::WithBack, KeyF4},
};

struct StickBinding {
    SDL_GameControllerAxis axis;
    int direction; // -1 for the axis's low end (left, up), +1 for its high end
    int virtualKey;
};

constexpr StickBinding kStickBindings[] = {
    {SDL_CONTROLLER_AXIS_LEFTX, -1, KeyLeft},
    {SDL_CONTROLLER_AXIS_LEFTX, +1, KeyRight},
    {SDL_CONTROLLER_AXIS_LEFTY, -1, KeyUp},
    {SDL_CONTROLLER_AXIS_LEFTY, +1, KeyDown},
};

struct OpenPad {
    SDL_GameController* controller;
    SDL_JoystickID id;
    // What the Start being held stands for, chosen when it went down; 0 while it is up. A Start
    // that confirms Play in the menu must not go on to pause the game it started.
    int startKey;
};

struct Pads {
    bool started = false;
    std::vector<OpenPad> open;
    // The devices plugged in that are joysticks but no game controllers SDL knows (or could not
    // open).
    std::vector<SDL_JoystickID> unmapped;
    std::array<bool, kVirtualKeyCount> held{};
};

Pads& pads() {
    static Pads state;
    return state;
}

bool isOpen(SDL_JoystickID id) {
    for (const OpenPad& pad : pads().open) {
        if (pad.id == id) {
            return true;
        }
    }
    return false;
}

void closeUnplugged() {
    std::vector<OpenPad>& open = pads().open;
    for (auto pad = open.begin(); pad != open.end();) {
        if (SDL_GameControllerGetAttached(pad->controller)) {
            ++pad;
        } else {
            SDL_GameControllerClose(pad->controller);
            pad = open.erase(pad);
        }
    }
}

bool contains(const std::vector<SDL_JoystickID>& ids, SDL_JoystickID id) {
    for (const SDL_JoystickID known : ids) {
        if (known == id) {
            return true;
        }
    }
    return false;
}

// Opens every game controller not yet open. Whether a device is one is looked up once: the
// lookup searches SDL's whole mapping database, which every frame would cost a hundred times
// the rest of the pads' work. A device without a mapping stays unmapped while it is plugged in.
void openPluggedIn() {
    Pads& state = pads();
    std::vector<SDL_JoystickID> unmapped;
    const int devices = SDL_NumJoysticks();
    for (int index = 0; index < devices; ++index) {
        const SDL_JoystickID id = SDL_JoystickGetDeviceInstanceID(index);
        if (isOpen(id)) {
            continue;
        }
        if (contains(state.unmapped, id) || !SDL_IsGameController(index)) {
            unmapped.push_back(id);
            continue;
        }
        SDL_GameController* const controller = SDL_GameControllerOpen(index);
        if (controller != nullptr) {
            state.open.push_back({controller, id, 0});
        } else {
            // Not tried again, and not looked up again, while it stays plugged in.
            unmapped.push_back(id);
        }
    }
    state.unmapped = std::move(unmapped);
}

bool chordHolds(Chord chord, bool backHeld) {
    return chord == Chord::Either || (chord == Chord::WithBack) == backHeld;
}

bool stickPushed(SDL_GameController* controller, const StickBinding& binding) {
    const int position = SDL_GameControllerGetAxis(controller, binding.axis);
    return position * binding.direction > kStickDeadZone;
}

void readPad(OpenPad& pad, bool inPlay, std::array<bool, kVirtualKeyCount>& held) {
    SDL_GameController* const controller = pad.controller;
    const bool backHeld = SDL_GameControllerGetButton(controller, SDL_CONTROLLER_BUTTON_BACK);
    for (const ButtonBinding& binding : kButtonBindings) {
        if (SDL_GameControllerGetButton(controller, binding.button) &&
            chordHolds(binding.chord, backHeld)) {
            held[binding.virtualKey] = true;
        }
    }
    for (const StickBinding& binding : kStickBindings) {
        if (stickPushed(controller, binding)) {
            held[binding.virtualKey] = true;
        }
    }
    if (!SDL_GameControllerGetButton(controller, SDL_CONTROLLER_BUTTON_START)) {
        pad.startKey = 0;
    } else {
        if (pad.startKey == 0) {
            pad.startKey = inPlay ? KeyEscape : KeyReturn;
        }
        held[pad.startKey] = true;
    }
}

} // namespace

void startPads() {
    if (SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) != 0) {
        return;
    }
    pads().started = true;
    // The pads are read by state once a frame. Their events would only fill the queue that the
    // loop works off one event per frame, ahead of the window's own.
    SDL_JoystickEventState(SDL_IGNORE);
    SDL_GameControllerEventState(SDL_IGNORE);
}

void pollPads(bool inPlay) {
    Pads& state = pads();
    if (!state.started) {
        return;
    }
    // With their events ignored SDL no longer reads the devices while it pumps events: this
    // reads them, and finds the pads plugged in or pulled out since.
    SDL_GameControllerUpdate();
    closeUnplugged();
    openPluggedIn();
    state.held.fill(false);
    for (OpenPad& pad : state.open) {
        readPad(pad, inPlay, state.held);
    }
}

bool padKeyDown(int virtualKey) {
    return virtualKey >= 0 && virtualKey < kVirtualKeyCount && pads().held[virtualKey];
}

void stopPads() {
    Pads& state = pads();
    if (!state.started) {
        return;
    }
    for (const OpenPad& pad : state.open) {
        SDL_GameControllerClose(pad.controller);
    }
    state.open.clear();
    state.unmapped.clear();
    state.held.fill(false);
    SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
    state.started = false;
}
