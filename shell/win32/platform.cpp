// The game's keys, buffer swap, quit request and calendar on Win32.
#include "shell/platform.h"

#include "shell/win32/game_window.h"

#include <ctime>

bool keyDown(int virtualKey) {
    // The most significant bit says the key is down now; the low bit (pressed since the last
    // query) is ignored, so a press released before the poll is not seen.
    return (static_cast<unsigned short>(GetAsyncKeyState(virtualKey)) & 0x8000u) != 0;
}

void swapBuffers() {
    SwapBuffers(shell().deviceContext);
}

void postQuitMessage(int exitCode) {
    PostQuitMessage(exitCode);
}

std::int64_t calendarSeconds() {
    return static_cast<std::int64_t>(std::time(nullptr));
}
