// The game's keys and pads, buffer swap, quit request and calendar on Win32.
#include "platform/platform.h"

#include "platform/virtual_keys.h"
#include "shell/common/data_directory.h"
#include "shell/common/session.h"
#include "shell/win32/game_window.h"
#include "shell/win32/key_state.h"
#include "shell/win32/xinput_pads.h"

#include <ctime>
#include <filesystem>
#include <system_error>

bool keyDown(int virtualKey) {
    if (virtualKey == KeyEscape && shell().focusPause.escapeDown()) {
        return true;
    }
    // A pad, like the keyboard, reaches only the game the player is at.
    return focusedKeyDown(virtualKey, shell().window, kSystemKeyboard) ||
           (padKeyDown(virtualKey) && windowHasKeyboard(shell().window, kSystemKeyboard));
}

void swapBuffers() {
    sessionBeforeSwap();
    SwapBuffers(shell().deviceContext);
}

void postQuitMessage(int exitCode) {
    ShellContext& context = shell();
    // The first request decides the status; the loop ends before the next call either way.
    if (!context.quitPosted) {
        context.quitPosted = true;
        context.quitCode = exitCode;
        PostQuitMessage(exitCode);
    }
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
