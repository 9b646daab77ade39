#pragma once

#include <string>

// Protocol errors the X server reports about the game's own requests, as when something else has
// destroyed the game's window. Xlib's own answer is to print and exit on the spot, and the one
// SDL installs first tries to put the display mode back from inside the error handler, which
// deadlocks in Xlib: a full-screen game would hang with the screen still switched. Here they are
// only noted, and the shell ends the game through its normal teardown, which restores the mode.

// Takes over the handling of protocol errors when SDL drives an X11 display. Call after SDL's
// video has started, since SDL installs its handler then.
void watchDisplayErrors();

// Once the display has refused a request, the teardown of what is left of the window brings more
// refusals; this waits for them while they still land here. Call before SDL's video is shut down,
// which puts back Xlib's handler, the one that exits.
void settleDisplayErrors();

// True once the display has refused a request.
bool displayErrorSeen();

// What the display said about the first request it refused.
std::string displayErrorText();
