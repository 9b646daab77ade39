#include "shell/sdl/display_errors.h"

#include <SDL.h>
#include <SDL_syswm.h>
#include <cstring>

#if defined(SDL_VIDEO_DRIVER_X11)

namespace {

struct FirstError {
    Display* display = nullptr;
    int errorCode = 0;
    int requestCode = 0;
    bool seen = false;
};

FirstError firstError;

// Runs inside Xlib: it must send nothing to the server, so it only notes what happened. Later
// errors, which the teardown of a window that is gone brings, add nothing.
int noteError(Display* display, XErrorEvent* event) {
    if (!firstError.seen) {
        firstError.display = display;
        firstError.errorCode = event->error_code;
        firstError.requestCode = event->request_code;
        firstError.seen = true;
    }
    return 0;
}

} // namespace

void watchDisplayErrors() {
    const char* const driver = SDL_GetCurrentVideoDriver();
    if (driver != nullptr && std::strcmp(driver, "x11") == 0) {
        XSetErrorHandler(noteError);
    }
}

void settleDisplayErrors() {
    if (firstError.seen) {
        XSync(firstError.display, False);
    }
}

bool displayErrorSeen() {
    return firstError.seen;
}

std::string displayErrorText() {
    char text[256] = "";
    // Outside the handler the error database may be read.
    XGetErrorText(firstError.display, firstError.errorCode, text, sizeof text);
    return std::string(text) + " (request " + std::to_string(firstError.requestCode) + ")";
}

#else

void watchDisplayErrors() {}

void settleDisplayErrors() {}

bool displayErrorSeen() {
    return false;
}

std::string displayErrorText() {
    return {};
}

#endif
