#include "shell/win32/key_state.h"

const KeyboardQueries kSystemKeyboard = {GetForegroundWindow, IsIconic, GetAsyncKeyState};

bool windowHasKeyboard(HWND gameWindow, const KeyboardQueries& queries) {
    return gameWindow != nullptr && queries.foregroundWindow() == gameWindow &&
           !queries.minimised(gameWindow);
}

bool focusedKeyDown(int virtualKey, HWND gameWindow, const KeyboardQueries& queries) {
    if (!windowHasKeyboard(gameWindow, queries)) {
        return false;
    }
    constexpr unsigned kDownNow = 0x8000u;
    return (static_cast<unsigned short>(queries.asyncKeyState(virtualKey)) & kDownNow) != 0;
}
