#include "shell/win32/key_state.h"

const KeyboardQueries kSystemKeyboard = {GetForegroundWindow, IsIconic, GetAsyncKeyState};

bool focusedKeyDown(int virtualKey, HWND gameWindow, const KeyboardQueries& queries) {
    if (gameWindow == nullptr || queries.foregroundWindow() != gameWindow ||
        queries.minimised(gameWindow)) {
        return false;
    }
    constexpr unsigned kDownNow = 0x8000u;
    return (static_cast<unsigned short>(queries.asyncKeyState(virtualKey)) & kDownNow) != 0;
}
