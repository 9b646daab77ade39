// The game's keys on SDL game controllers, read by state once a frame.
#include "shell/sdl/pad_input.h"

#include "shell/common/pad_mapping.h"

#include <SDL.h>
#include <utility>
#include <vector>

namespace {

// SDL's buttons by their places on the pad, as the shared mapping names them.
struct ButtonPlace {
    SDL_GameControllerButton button;
    PadButton place;
};

constexpr ButtonPlace kButtonPlaces[] = {
    {SDL_CONTROLLER_BUTTON_DPAD_LEFT, PadButton::DpadLeft},
    {SDL_CONTROLLER_BUTTON_DPAD_RIGHT, PadButton::DpadRight},
    {SDL_CONTROLLER_BUTTON_DPAD_UP, PadButton::DpadUp},
    {SDL_CONTROLLER_BUTTON_DPAD_DOWN, PadButton::DpadDown},
    {SDL_CONTROLLER_BUTTON_A, PadButton::A},
    {SDL_CONTROLLER_BUTTON_B, PadButton::B},
    {SDL_CONTROLLER_BUTTON_X, PadButton::X},
    {SDL_CONTROLLER_BUTTON_Y, PadButton::Y},
    {SDL_CONTROLLER_BUTTON_BACK, PadButton::Back},
    {SDL_CONTROLLER_BUTTON_START, PadButton::Start},
};

struct OpenPad {
    SDL_GameController* controller;
    SDL_JoystickID id;
    // Remembers what its held Start stands for.
    PadMapper mapper;
};

struct Pads {
    bool started = false;
    std::vector<OpenPad> open;
    // The devices plugged in that are joysticks but no game controllers SDL knows (or could not
    // open).
    std::vector<SDL_JoystickID> unmapped;
    HeldKeys held{};
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
            state.open.push_back({controller, id, PadMapper()});
        } else {
            // Not tried again, and not looked up again, while it stays plugged in.
            unmapped.push_back(id);
        }
    }
    state.unmapped = std::move(unmapped);
}

PadState readPadState(SDL_GameController* controller) {
    PadState state;
    for (const ButtonPlace& place : kButtonPlaces) {
        if (SDL_GameControllerGetButton(controller, place.button)) {
            state.press(place.place);
        }
    }
    state.leftX = SDL_GameControllerGetAxis(controller, SDL_CONTROLLER_AXIS_LEFTX);
    state.leftY = SDL_GameControllerGetAxis(controller, SDL_CONTROLLER_AXIS_LEFTY);
    return state;
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
        pad.mapper.addHeldKeys(readPadState(pad.controller), inPlay, state.held);
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
