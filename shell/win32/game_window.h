#pragma once

#include "shell/common/focus_pause.h"

#include <windows.h>

// The game's window on Win32: one OpenGL window of 1024 x 768 with a 16-bit colour, 16-bit depth,
// double-buffered pixel format, full screen when the display takes that mode.
struct ShellContext {
    HDC deviceContext = nullptr;   // the window's own device context (CS_OWNDC), kept to the end
    HGLRC renderContext = nullptr; // current on the loop's thread from creation to teardown
    HWND window = nullptr;
    HINSTANCE instance = nullptr; // stored by WinMain before anything else
    bool fullScreen = false;      // the display mode was switched, and must be restored
    // False when the player asked for a window (--window): full screen is then not tried at all.
    bool fullScreenWanted = true;
    // The program was asked to end (by the game, the window or a failure), with this status.
    bool quitPosted = false;
    int quitCode = 0;
    // A "FATAL ERROR" box was shown: the program must not end as if the game had ended well.
    bool fatalErrorShown = false;
    // Pauses a game in play when the window loses the keyboard or is minimised.
    FocusPause focusPause;
};

ShellContext& shell();

// Opens the window with a current rendering context. A refused full-screen mode is reported in
// an "ERROR" box and the game runs in a normal window; any other failure shows a "FATAL ERROR"
// box, posts the quit and returns false, keeping what it obtained for closeGameWindow.
bool openGameWindow(int width, int height, int colourBits);

// Restores the display mode and cursor if full screen, then releases the context, the device
// context, the window and its class. Null handles pass through harmlessly.
void closeGameWindow();

LRESULT CALLBACK gameWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// A "FATAL ERROR" box, then the quit request; returns once the user has closed the box.
void fatalError(const char* text);
// An "ERROR" box; execution goes on once the user has closed it.
void showError(const char* text);
