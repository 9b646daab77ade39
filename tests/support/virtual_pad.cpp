#include "tests/support/virtual_pad.h"

#include <stdexcept>
#include <string>

namespace {

constexpr int kPlainButtons = 4;
constexpr int kPlainAxes = 2;

} // namespace

VirtualPad::VirtualPad(const char* name, bool controller) {
    SDL_VirtualJoystickDesc desc;
    SDL_zero(desc);
    desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
    desc.name = name;
    if (controller) {
        // SDL gives a virtual device of this type a mapping in its own button and axis order.
        desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
        desc.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
        desc.naxes = SDL_CONTROLLER_AXIS_MAX;
    } else {
        desc.type = SDL_JOYSTICK_TYPE_UNKNOWN;
        desc.nbuttons = kPlainButtons;
        desc.naxes = kPlainAxes;
    }
    const int index = SDL_JoystickAttachVirtualEx(&desc);
    if (index < 0) {
        throw std::runtime_error(std::string("no virtual joystick: ") + SDL_GetError());
    }
    // A mapping names the GUID without the checksum of the device's name in bytes 2 and 3.
    SDL_JoystickGUID guid = SDL_JoystickGetDeviceGUID(index);
    guid.data[2] = 0;
    guid.data[3] = 0;
    SDL_JoystickGetGUIDString(guid, guidText, sizeof guidText);
    joystick = SDL_JoystickOpen(index);
    if (joystick == nullptr) {
        SDL_JoystickDetachVirtual(index);
        throw std::runtime_error(std::string("virtual joystick not opened: ") + SDL_GetError());
    }
    id = SDL_JoystickInstanceID(joystick);
}

VirtualPad::~VirtualPad() {
    unplug();
}

int VirtualPad::deviceIndex() const {
    const int devices = SDL_NumJoysticks();
    for (int index = 0; index < devices; ++index) {
        if (SDL_JoystickGetDeviceInstanceID(index) == id) {
            return index;
        }
    }
    return -1;
}

void VirtualPad::setButton(int button, bool down) {
    if (joystick != nullptr) {
        SDL_JoystickSetVirtualButton(joystick, button, down ? SDL_PRESSED : SDL_RELEASED);
    }
}

void VirtualPad::setAxis(int axis, Sint16 value) {
    if (joystick != nullptr) {
        SDL_JoystickSetVirtualAxis(joystick, axis, value);
    }
}

void VirtualPad::unplug() {
    if (joystick == nullptr) {
        return;
    }
    // Pulled out as it is, with whatever is held still held.
    const int index = deviceIndex();
    SDL_JoystickClose(joystick);
    joystick = nullptr;
    if (index >= 0) {
        SDL_JoystickDetachVirtual(index);
    }
}
