#include "shell/common/session_host.h"

#include "shell/sdl/sdl_backend.h"

#include <cstdlib>
#include <unistd.h>

bool hostLetterHeld(char letter) {
    // SDL's scancodes for the letters run in alphabetical order, as on the keyboard's labels.
    const auto scancode = static_cast<SDL_Scancode>(SDL_SCANCODE_A + (letter - 'A'));
    // SDL reports the keyboard only to the window that has it.
    return shell().videoStarted && SDL_GetKeyboardState(nullptr)[scancode] != 0;
}

void hostDrawableSize(int& width, int& height) {
    SDL_GL_GetDrawableSize(shell().window, &width, &height);
}

bool hostQuitPosted(int& status) {
    status = shell().quitCode;
    return shell().quitPosted;
}

long hostProcessNumber() {
    return static_cast<long>(getpid());
}

std::string hostHomeFolder() {
    const char* const home = std::getenv("HOME");
    return home != nullptr && home[0] == '/' ? std::string(home) + "/" : std::string();
}
