#pragma once

#include <SDL.h>

// A game controller that exists only in SDL's memory, for tests that need no hardware. Plugged
// in when made, pulled out by `unplug` or when it goes. SDL's joystick layer must be running.
// What is set here reaches the pad layer the next time SDL reads its devices.
class VirtualPad {
  public:
    // `name` also decides the pad's GUID, which is how SDL finds a mapping for it. A
    // `controller` pad has SDL's own controller layout: buttons and axes numbered in the order
    // of SDL_GameControllerButton and SDL_GameControllerAxis. Otherwise it is a plain joystick
    // with four buttons and two axes, a controller only if a mapping names its GUID.
    explicit VirtualPad(const char* name = "Glimmerwake test pad", bool controller = true);
    ~VirtualPad();
    VirtualPad(const VirtualPad&) = delete;
    VirtualPad& operator=(const VirtualPad&) = delete;

    void setButton(int button, bool down);
    void press(int button) { setButton(button, true); }
    void release(int button) { setButton(button, false); }
    void setAxis(int axis, Sint16 value);
    void unplug();

    bool plugged() const { return joystick != nullptr; }
    SDL_JoystickID instanceId() const { return id; }
    // SDL's text form of the GUID, as a mapping line starts with it.
    const char* guid() const { return guidText; }

  private:
    int deviceIndex() const;

    SDL_Joystick* joystick = nullptr;
    SDL_JoystickID id = -1;
    char guidText[33] = {};
};
