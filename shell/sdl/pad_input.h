#pragma once

// Gamepads as a second keyboard. Every controller SDL knows (its own mapping database, plus the
// mappings a player gives in SDL_GAMECONTROLLERCONFIG) drives the game; several may be plugged in
// at once and any of them counts. The game still polls virtual keys: a key reads as down while
// the key itself or a pad control mapped to it is held, so nothing of the game changes. The
// mapping is every platform's (shell/common/pad_mapping.h).

// Starts SDL's game-controller layer. A machine where it does not start simply has no pads.
void startPads();

// Brings the pads up to date, once a frame before the frame function runs: opens pads plugged in
// since the last call, drops the ones pulled out (releasing all they held) and reads every
// control. `inPlay` says whether the game is playing, which decides what a fresh press of Start
// stands for; a Start already held keeps its meaning until it is released.
void pollPads(bool inPlay);

// True while a pad control mapped to this Windows virtual-key code is held, as of the last poll.
bool padKeyDown(int virtualKey);

// Closes every pad and the game-controller layer.
void stopPads();
