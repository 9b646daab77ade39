// The game's keys, buffer swap and quit request on SDL.
#include "shell/call_inputs.h"
#include "shell/platform.h"
#include "shell/sdl_backend.h"
#include "shell/session.h"
#include "shell/virtual_keys.h"

namespace {

SDL_Scancode scancodeFor(int virtualKey) {
    switch (virtualKey) {
    case VK_RETURN:
        return SDL_SCANCODE_RETURN;
    case VK_ESCAPE:
        return SDL_SCANCODE_ESCAPE;
    case VK_SPACE:
        return SDL_SCANCODE_SPACE;
    case VK_LEFT:
        return SDL_SCANCODE_LEFT;
    case VK_UP:
        return SDL_SCANCODE_UP;
    case VK_RIGHT:
        return SDL_SCANCODE_RIGHT;
    case VK_DOWN:
        return SDL_SCANCODE_DOWN;
    case VK_1:
        return SDL_SCANCODE_1;
    case VK_2:
        return SDL_SCANCODE_2;
    case VK_3:
        return SDL_SCANCODE_3;
    case VK_F2:
        return SDL_SCANCODE_F2;
    case VK_F3:
        return SDL_SCANCODE_F3;
    case VK_F4:
        return SDL_SCANCODE_F4;
    default:
        return SDL_SCANCODE_UNKNOWN;
    }
}

} // namespace

bool keyDown(int virtualKey) {
    if (callInputs().fixed) {
        return callInputs().keyDown(virtualKey);
    }
    const SDL_Scancode scancode = scancodeFor(virtualKey);
    if (scancode == SDL_SCANCODE_UNKNOWN || !shell().videoStarted) {
        return false;
    }
    // The state SDL keeps is brought up to date each time the loop takes in the pending events,
    // once per frame.
    return SDL_GetKeyboardState(nullptr)[scancode] != 0;
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
