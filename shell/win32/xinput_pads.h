#pragma once

#include "shell/common/pad_mapping.h"

#include <windows.h>
#include <xinput.h>

// Gamepads on Windows, through XInput: up to four, plugged in and pulled out while the game runs,
// with the mapping every platform shares (shell/common/pad_mapping.h). XInput is loaded when the
// game starts (xinput1_4.dll, which Windows 8 and later have, else xinput9_1_0.dll, which Windows
// 7 has), so the program starts where neither is, and simply has no pads there.

// Loads XInput. The program's own folder is searched first, as for every DLL it loads.
void startPads();

// Brings the pads up to date, once a frame before the frame function runs. `inPlay` says whether
// the game is playing, which decides what a fresh press of Start stands for.
void pollPads(bool inPlay);

// True while a pad control mapped to this Windows virtual-key code is held, as of the last poll.
bool padKeyDown(int virtualKey);

// Forgets every pad and stops reading them.
void stopPads();

// The reading of one XInput state, for the poll and its tests: the buttons the mapping knows and
// the left stick, turned to point down as the mapping's y does.
PadState padStateFromXInput(const XINPUT_GAMEPAD& gamepad);
