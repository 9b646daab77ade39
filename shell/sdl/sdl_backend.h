#pragma once

#include "shell/common/focus_pause.h"

#include <SDL.h>

// The desktop shell on SDL: one OpenGL window of 1024 x 768, full screen when the display offers
// that mode, the message boxes of a failed start-up, and the quit request.
struct ShellContext {
    SDL_Window* window = nullptr;
    SDL_GLContext renderContext = nullptr;
    bool fullScreen = false;
    // False when the player asked for a window (--window): full screen is then not tried at all.
    bool fullScreenWanted = true;
    bool videoStarted = false;
    bool fatalErrorShown = false;
    bool quitPosted = false;
    int quitCode = 0;
    FocusPause focusPause;
};

ShellContext& shell();

// Opens the window with a current, double-buffered RGBA context of `colourBits` colour and 16
// depth bits. A refused full-screen mode is reported in an "ERROR" box and the game runs in a
// normal window; any other failure shows a "FATAL ERROR" box, posts the quit and returns false.
bool openGameWindow(int width, int height, int colourBits);

// Restores the desktop's display mode and cursor, then releases the context and the window.
void closeGameWindow();

// Removes at most one pending event and acts on it. Returns false once the quit has been posted.
// A window that lost the focus or was minimised during play pauses the game in the next frame.
bool runMessagePass();

void fatalError(const char* text);
void showError(const char* text);
