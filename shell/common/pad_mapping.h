#pragma once

#include <array>
#include <cstdint>

// What a gamepad means to the game, the same on every platform: the game polls virtual keys, and
// a key reads as down while the key itself or a pad control mapped to it is held. Each platform
// reads its pads (SDL's game controllers, XInput) into a PadState and hands it to a PadMapper.
//
//   d-pad, left stick    arrows (steer; choose in the menu)
//   A                    Space (fire; confirm in the menu)
//   X, Y, B              1, 2, 3 (weapons)
//   Start                Escape in play (pause, resume), Return elsewhere (confirm in the menu)
//   Back + X, Y, B       F2, F3, F4 (the pause overlay's restart, menu and quit)

// The controls the mapping reads, by their places on an Xbox-style pad.
enum class PadButton {
    DpadLeft,
    DpadRight,
    DpadUp,
    DpadDown,
    A,
    B,
    X,
    Y,
    Back,
    Start,
    Count,
};

constexpr int kPadButtonCount = static_cast<int>(PadButton::Count);

// One pad at one moment. The stick's axes run from -32768 to 32767, x to the right and y
// downwards (SDL's sense; XInput's y points up and is turned over by its reader).
struct PadState {
    std::array<bool, kPadButtonCount> buttons{};
    int leftX = 0;
    int leftY = 0;

    bool held(PadButton button) const { return buttons[static_cast<int>(button)]; }
    void press(PadButton button) { buttons[static_cast<int>(button)] = true; }
};

// The virtual-key codes are all below 256.
constexpr int kVirtualKeyCount = 256;
using HeldKeys = std::array<bool, kVirtualKeyCount>;

// How far the left stick must leave its centre, out of 32767, before it counts as an arrow: a
// quarter of its travel, so a stick that rests a little off-centre steers nothing.
constexpr int kStickDeadZone = 32767 / 4;

// One plugged-in pad's reading, frame after frame. It remembers what a held Start stands for,
// chosen when it went down: a Start that confirms Play in the menu must not go on to pause the
// game it started.
class PadMapper {
  public:
    // Marks in `held` the keys this pad holds now; `inPlay` says whether the game is playing,
    // which decides what a fresh press of Start stands for.
    void addHeldKeys(const PadState& state, bool inPlay, HeldKeys& held);

  private:
    int startKey_ = 0; // 0 while Start is up
};
