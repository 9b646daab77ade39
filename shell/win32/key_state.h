#pragma once

#include <windows.h>

// The keyboard as the game may see it on Windows. GetAsyncKeyState answers for the whole desktop,
// not for a window: read unguarded, Space would fire, M mute and F4 quit from the pause overlay
// while the player types in another program. So a key counts only while the game's window is the
// foreground one and not minimised; otherwise every key reads as up, which also leaves the game's
// own press latches open for the Escape that pauses it when the focus leaves.
//
// The system calls are passed in so that a test can play the foreground and the key state.
struct KeyboardQueries {
    HWND(WINAPI* foregroundWindow)();
    BOOL(WINAPI* minimised)(HWND);
    SHORT(WINAPI* asyncKeyState)(int);
};

extern const KeyboardQueries kSystemKeyboard;

// True while `gameWindow` is the foreground window and not minimised: the player is at the game.
// Pads count only then too, as the keyboard does.
bool windowHasKeyboard(HWND gameWindow, const KeyboardQueries& queries);

// True while `virtualKey` is down and `gameWindow` has the keyboard. The most significant bit of
// the state says the key is down now; the low bit (pressed since the last query) is ignored, so a
// press released before the poll is not seen.
bool focusedKeyDown(int virtualKey, HWND gameWindow, const KeyboardQueries& queries);
