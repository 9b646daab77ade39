// The game's keys, buffer swap, quit request and calendar on Win32.
#include "platform/platform.h"

#include "shell/common/data_directory.h"
#include "shell/win32/game_window.h"

#include <ctime>
#include <filesystem>
#include <system_error>

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

namespace {

// The folder glimmerwake.exe is in, or empty when Windows does not say.
std::string programFolder() {
    char path[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) {
        return {};
    }
    return std::filesystem::path(path).parent_path().string();
}

// The working directory first, as the game was always started; else the folder of the program,
// where the zip puts Data/ (a shortcut may start the game anywhere). Without either the game
// runs without images, as it always could.
std::string chooseDataRoot() {
    std::error_code error;
    const std::string workingDir = std::filesystem::current_path(error).string();
    return findDataRoot(workingDir, programFolder(), ".").value_or(std::string());
}

} // namespace

const std::string& dataRoot() {
    // Chosen once, when the first image is loaded.
    static const std::string root = chooseDataRoot();
    return root;
}
