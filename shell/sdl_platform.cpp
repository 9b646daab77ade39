// The game's keys, buffer swap and quit request on SDL.
#include "shell/platform.h"
#include "shell/sdl_backend.h"
#include "shell/virtual_keys.h"

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

} // namespace

bool keyDown(int virtualKey) {
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
        SDL_GL_SwapWindow(shell().window);
    }
}

void postQuitMessage(int exitCode) {
    shell().quitPosted = true;
    shell().quitCode = exitCode;
}
