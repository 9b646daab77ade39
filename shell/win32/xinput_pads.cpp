// The game's keys on XInput pads, read by state once a frame.
#include "shell/win32/xinput_pads.h"

#include <array>

namespace {

using GetStateFunction = DWORD(WINAPI*)(DWORD, XINPUT_STATE*);

// Newest first: xinput1_4 (Windows 8 and later), then the one every Windows since Vista has.
constexpr const char* kLibraries[] = {"xinput1_4.dll", "xinput9_1_0.dll"};

// Asking XInput about a slot with no pad in it costs far more than reading one that has a pad;
// empty slots are looked at again once this many milliseconds have passed, which is how soon a
// pad plugged in is found.
constexpr ULONGLONG kEmptySlotRecheckMs = 1000;

struct ButtonBit {
    WORD bit;
    PadButton button;
};

constexpr ButtonBit kButtonBits[] = {
    {XINPUT_GAMEPAD_DPAD_LEFT, PadButton::DpadLeft},
    {XINPUT_GAMEPAD_DPAD_RIGHT, PadButton::DpadRight},
    {XINPUT_GAMEPAD_DPAD_UP, PadButton::DpadUp},
    {XINPUT_GAMEPAD_DPAD_DOWN, PadButton::DpadDown},
    {XINPUT_GAMEPAD_A, PadButton::A},
    {XINPUT_GAMEPAD_B, PadButton::B},
    {XINPUT_GAMEPAD_X, PadButton::X},
    {XINPUT_GAMEPAD_Y, PadButton::Y},
    {XINPUT_GAMEPAD_BACK, PadButton::Back},
    {XINPUT_GAMEPAD_START, PadButton::Start},
};

struct Slot {
    bool connected = false;
    // When an empty slot is asked again (GetTickCount64's milliseconds).
    ULONGLONG recheckAt = 0;
    PadMapper mapper;
};

struct Pads {
    HMODULE library = nullptr;
    GetStateFunction getState = nullptr;
    std::array<Slot, XUSER_MAX_COUNT> slots{};
    HeldKeys held{};
};

Pads& pads() {
    static Pads state;
    return state;
}

// Reads slot `index` into `held`. A pad pulled out holds nothing from that frame on, and its
// Start's meaning is forgotten.
void pollSlot(DWORD index, Slot& slot, bool inPlay, ULONGLONG now, HeldKeys& held) {
    if (!slot.connected && now < slot.recheckAt) {
        return;
    }
    XINPUT_STATE state{};
    if (pads().getState(index, &state) != ERROR_SUCCESS) {
        slot = Slot{};
        slot.recheckAt = now + kEmptySlotRecheckMs;
        return;
    }
    slot.connected = true;
    slot.mapper.addHeldKeys(padStateFromXInput(state.Gamepad), inPlay, held);
}

} // namespace

PadState padStateFromXInput(const XINPUT_GAMEPAD& gamepad) {
    PadState state;
    for (const ButtonBit& bit : kButtonBits) {
        if ((gamepad.wButtons & bit.bit) != 0) {
            state.press(bit.button);
        }
    }
    state.leftX = gamepad.sThumbLX;
    // Up is positive in XInput; in an int the full tilt of -32768 turns over without overflow.
    state.leftY = -static_cast<int>(gamepad.sThumbLY);
    return state;
}

void startPads() {
    Pads& state = pads();
    for (const char* name : kLibraries) {
        state.library = LoadLibraryA(name);
        if (state.library != nullptr) {
            break;
        }
    }
    if (state.library == nullptr) {
        return;
    }
    state.getState = reinterpret_cast<GetStateFunction>(
        reinterpret_cast<void*>(GetProcAddress(state.library, "XInputGetState")));
    if (state.getState == nullptr) {
        FreeLibrary(state.library);
        state.library = nullptr;
    }
}

void pollPads(bool inPlay) {
    Pads& state = pads();
    state.held.fill(false);
    if (state.getState == nullptr) {
        return;
    }
    const ULONGLONG now = GetTickCount64();
    for (DWORD index = 0; index < XUSER_MAX_COUNT; ++index) {
        pollSlot(index, state.slots[index], inPlay, now, state.held);
    }
}

bool padKeyDown(int virtualKey) {
    return virtualKey >= 0 && virtualKey < kVirtualKeyCount && pads().held[virtualKey];
}

void stopPads() {
    // XInput stays loaded until the process ends: an XInput may keep a thread of its own running
    // in the DLL (Wine's watches for pads being plugged in), which unloading it under that thread
    // would crash.
    pads() = Pads{};
}
