// The game's keys, buffer swap, quit request and image folder on SDL.
#include "platform/platform.h"
#include "platform/virtual_keys.h"
#include "shell/common/data_directory.h"
#include "shell/common/session.h"
#include "shell/sdl/pad_input.h"
#include "shell/sdl/sdl_backend.h"

#include <cstdio>
#include <filesystem>
#include <system_error>

#ifndef GLIMMERWAKE_DATA_FROM_PROGRAM
#define GLIMMERWAKE_DATA_FROM_PROGRAM "../share/games/glimmerwake"
#endif

namespace {

SDL_Scancode scancodeFor(int virtualKey) {
    switch (virtualKey) {
    case KeyReturn:
        return SDL_SCANCODE_RETURN;
    case KeyEscape:
        return SDL_SCANCODE_ESCAPE;
    case KeySpace:
        return SDL_SCANCODE_SPACE;
    case KeyLeft:
        return SDL_SCANCODE_LEFT;
    case KeyUp:
        return SDL_SCANCODE_UP;
    case KeyRight:
        return SDL_SCANCODE_RIGHT;
    case KeyDown:
        return SDL_SCANCODE_DOWN;
    case Key1:
        return SDL_SCANCODE_1;
    case Key2:
        return SDL_SCANCODE_2;
    case Key3:
        return SDL_SCANCODE_3;
    case KeyF2:
        return SDL_SCANCODE_F2;
    case KeyF3:
        return SDL_SCANCODE_F3;
    case KeyF4:
        return SDL_SCANCODE_F4;
    default:
        return SDL_SCANCODE_UNKNOWN;
    }
}

// The keypad's Enter is Return, and with Num Lock off its 8, 2, 4 and 6 are the arrows: the
// same virtual keys as on Windows.
SDL_Scancode keypadScancodeFor(int virtualKey) {
    const bool numLock = (SDL_GetModState() & KMOD_NUM) != 0;
    switch (virtualKey) {
    case KeyReturn:
        return SDL_SCANCODE_KP_ENTER;
    case KeyLeft:
        return numLock ? SDL_SCANCODE_UNKNOWN : SDL_SCANCODE_KP_4;
    case KeyUp:
        return numLock ? SDL_SCANCODE_UNKNOWN : SDL_SCANCODE_KP_8;
    case KeyRight:
        return numLock ? SDL_SCANCODE_UNKNOWN : SDL_SCANCODE_KP_6;
    case KeyDown:
        return numLock ? SDL_SCANCODE_UNKNOWN : SDL_SCANCODE_KP_2;
    default:
        return SDL_SCANCODE_UNKNOWN;
    }
}

bool scancodeDown(const Uint8* state, SDL_Scancode scancode) {
    return scancode != SDL_SCANCODE_UNKNOWN && state[scancode] != 0;
}

// The folder that holds the running program, with its trailing '/', or "" when it is unknown.
std::string programDirectory() {
    char* const base = SDL_GetBasePath();
    if (base == nullptr) {
        return std::string();
    }
    std::string directory = base;
    SDL_free(base);
    return directory;
}

std::string chooseDataRoot() {
    std::error_code error;
    const std::string workingDir = std::filesystem::current_path(error).string();
    const std::string programDir = programDirectory();
    if (const std::optional<std::string> root =
            findDataRoot(workingDir, programDir, GLIMMERWAKE_DATA_FROM_PROGRAM)) {
        return *root;
    }
    std::fprintf(
        stderr, "%s\n",
        describeMissingData(workingDir, programDir, GLIMMERWAKE_DATA_FROM_PROGRAM).c_str());
    return std::string();
}

} // namespace

bool keyDown(int virtualKey) {
    if (padKeyDown(virtualKey)) {
        return true;
    }
    if (!shell().videoStarted) {
        return false;
    }
    if (virtualKey == KeyEscape && shell().focusPause.escapeDown()) {
        return true;
    }
    // The state SDL keeps is brought up to date each time the loop takes in the pending events,
    // once per frame.
    const Uint8* const state = SDL_GetKeyboardState(nullptr);
    return scancodeDown(state, scancodeFor(virtualKey)) ||
           scancodeDown(state, keypadScancodeFor(virtualKey));
}

const std::string& dataRoot() {
    // Chosen once, when the first image is loaded.
    static const std::string root = chooseDataRoot();
    return root;
}

void swapBuffers() {
    if (shell().window != nullptr && shell().renderContext != nullptr) {
        sessionBeforeSwap();
        SDL_GL_SwapWindow(shell().window);
    }
}

void postQuitMessage(int exitCode) {
    shell().quitPosted = true;
    shell().quitCode = exitCode;
}
