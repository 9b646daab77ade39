#include "shell/sdl/sdl_backend.h"

#include "platform/platform.h"
#include "shell/common/frame_step.h"
#include "shell/sdl/display_errors.h"
#include "shell/sdl/interruptible_box.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

constexpr const char* kCaption = "Glimmerwake";

void showBox(const char* caption, const char* text) {
    const BoxOutcome outcome = showInterruptibleBox(caption, text);
    // Without a display no box can be shown; the text still has to reach someone.
    if (outcome == BoxOutcome::Unavailable) {
        std::fprintf(stderr, "%s: %s\n", caption, text);
    }
    // Asked to stop while the box was open: the game ends as it does when told so in play.
    if (outcome == BoxOutcome::Interrupted) {
        postQuitMessage(0);
    }
}

// The box names the step that failed; what SDL said about it is the reason, which whoever reads
// standard error needs to mend it (a video driver that is not there, say). Printed whether or
// not a box could be shown.
void printFatalError(const char* text, const std::string& reason) {
    std::fprintf(stderr, "FATAL ERROR: %s\n", text);
    if (!reason.empty()) {
        std::fprintf(stderr, "glimmerwake: %s\n", reason.c_str());
    }
}

// With no display SDL quietly falls back to a driver that draws nowhere; a game nobody can see
// is no game, unless that driver was asked for on purpose.
bool invisibleDriver() {
    const char* const driver = SDL_GetCurrentVideoDriver();
    const bool invisible = driver != nullptr && (std::strcmp(driver, "offscreen") == 0 ||
                                                 std::strcmp(driver, "dummy") == 0);
    return invisible && std::getenv("SDL_VIDEODRIVER") == nullptr;
}

bool findDisplayMode(int width, int height, SDL_DisplayMode& found) {
    const int modes = SDL_GetNumDisplayModes(0);
    for (int i = 0; i < modes; ++i) {
        SDL_DisplayMode mode{};
        if (SDL_GetDisplayMode(0, i, &mode) == 0 && mode.w == width && mode.h == height) {
            found = mode;
            return true;
        }
    }
    return false;
}

// The game reads only the window's size and the quit; every other kind of event would only pile
// up in the queue, which is worked off one event per frame.
void ignoreUnreadEvents() {
    for (Uint32 type = SDL_FIRSTEVENT + 1; type < SDL_LASTEVENT; ++type) {
        if (type != SDL_QUIT && type != SDL_WINDOWEVENT) {
            SDL_EventState(type, SDL_IGNORE);
        }
    }
}

void requestContext(int colourBits) {
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    SDL_GL_SetAttribute(SDL_GL_BUFFER_SIZE, colourBits);
    SDL_GL_SetAttribute(SDL_GL_RED_SIZE, 0);
    SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, 0);
    SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, 0);
    SDL_GL_SetAttribute(SDL_GL_ALPHA_SIZE, 0);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 16);
    SDL_GL_SetAttribute(SDL_GL_STENCIL_SIZE, 0);
}

// SDL picks the pixel format while it creates an OpenGL window. When that fails but a plain
// window can be made, it was the pixel format that failed.
const char* windowFailure(int width, int height) {
    SDL_Window* const plain = SDL_CreateWindow(kCaption, 0, 0, width, height, SDL_WINDOW_HIDDEN);
    if (plain == nullptr) {
        return "Windows Error:  Could not create window";
    }
    SDL_DestroyWindow(plain);
    return "Windows Error:  Could not find a pixel format";
}

// SDL reports success for a full-screen window even when the display could not switch to the
// mode and gave a window of its own size; only a window of exactly the size asked for counts.
bool gotFullScreenMode(SDL_Window* window, int width, int height) {
    int w = 0;
    int h = 0;
    SDL_GetWindowSize(window, &w, &h);
    SDL_DisplayMode current{};
    return w == width && h == height && SDL_GetWindowDisplayMode(window, &current) == 0 &&
           current.w == width && current.h == height;
}

// A normal window can be resized and maximised; the view follows every size (see
// runMessagePass).
void makeResizable(SDL_Window* window) {
    SDL_SetWindowResizable(window, SDL_TRUE);
}

void fallBackToWindow(SDL_Window* window, int width, int height) {
    SDL_SetWindowFullscreen(window, 0);
    makeResizable(window);
    SDL_SetWindowSize(window, width, height);
    SDL_SetWindowPosition(window, 0, 0);
}

void resizeToDrawable(SDL_Window* window) {
    int w = 0;
    int h = 0;
    SDL_GL_GetDrawableSize(window, &w, &h);
    frameStepResize(w, h);
}

// Another window took the keyboard, or the player minimised the game (in full screen, losing the
// focus minimises it): a game in play pauses.
void noteFocusLeaving(Uint8 windowEvent) {
    if (windowEvent == SDL_WINDOWEVENT_FOCUS_LOST || windowEvent == SDL_WINDOWEVENT_MINIMIZED) {
        shell().focusPause.windowLeft();
    }
}

} // namespace

ShellContext& shell() {
    static ShellContext context;
    return context;
}

void fatalError(const char* text) {
    // Read before the box, whose own calls may change it.
    printFatalError(text, SDL_GetError());
    showInterruptibleBox("FATAL ERROR", text);
    shell().fatalErrorShown = true;
    postQuitMessage(0);
}

void showError(const char* text) {
    showBox("ERROR", text);
}

bool openGameWindow(int width, int height, int colourBits) {
    ShellContext& context = shell();
    context.fullScreen = context.fullScreenWanted;
    if (SDL_Init(SDL_INIT_VIDEO) != 0) {
        fatalError("Windows Error: Could not register Window Class");
        return false;
    }
    context.videoStarted = true;
    watchDisplayErrors();
    if (invisibleDriver()) {
        SDL_SetError("no display to show the game on (SDL found only its %s video driver)",
                     SDL_GetCurrentVideoDriver());
        fatalError("Windows Error:  Could not create window");
        return false;
    }
    ignoreUnreadEvents();

    SDL_DisplayMode mode{};
    if (context.fullScreen && !findDisplayMode(width, height, mode)) {
        showError("Windows Error:  Setting Fullscreen mode failed.  Will run in normal window");
        context.fullScreen = false;
        if (context.quitPosted) {
            return false;
        }
    }
    requestContext(colourBits);
    const Uint32 flags =
        SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN |
        (context.fullScreen ? Uint32{SDL_WINDOW_FULLSCREEN} : Uint32{SDL_WINDOW_RESIZABLE});
    context.window = SDL_CreateWindow(kCaption, 0, 0, width, height, flags);
    if (context.window == nullptr) {
        fatalError(windowFailure(width, height));
        return false;
    }
    if (context.fullScreen) {
        SDL_SetWindowDisplayMode(context.window, &mode);
    }
    context.renderContext = SDL_GL_CreateContext(context.window);
    if (context.renderContext == nullptr) {
        fatalError("Windows Error:  Could not create an OpenGL rendering context");
        return false;
    }
    if (SDL_GL_MakeCurrent(context.window, context.renderContext) != 0) {
        fatalError("Windows Error:  Could not activate OpenGL rendering context");
        return false;
    }
    // Every speed in the game counts frames: tied to a 60 Hz display the game would slow down.
    // A driver that will not turn vsync off is no error.
    SDL_GL_SetSwapInterval(0);

    SDL_ShowWindow(context.window);
    if (context.fullScreen && !gotFullScreenMode(context.window, width, height)) {
        fallBackToWindow(context.window, width, height);
        showError("Windows Error:  Setting Fullscreen mode failed.  Will run in normal window");
        context.fullScreen = false;
        if (context.quitPosted) {
            return false;
        }
    }
    if (context.fullScreen) {
        SDL_ShowCursor(SDL_DISABLE);
    }
    SDL_RaiseWindow(context.window);
    resizeToDrawable(context.window);
    return true;
}

void closeGameWindow() {
    ShellContext& context = shell();
    if (context.fullScreen && context.window != nullptr) {
        SDL_SetWindowFullscreen(context.window, 0);
        SDL_ShowCursor(SDL_ENABLE);
    }
    if (context.renderContext != nullptr) {
        SDL_GL_MakeCurrent(context.window, nullptr);
        SDL_GL_DeleteContext(context.renderContext);
    }
    if (context.window != nullptr) {
        SDL_DestroyWindow(context.window);
    }
    if (context.videoStarted) {
        settleDisplayErrors();
        SDL_Quit();
    }
}

bool runMessagePass() {
    ShellContext& context = shell();
    if (displayErrorSeen() && !context.quitPosted) {
        // Something outside the game broke its window (destroyed it, say): nothing more can be
        // shown. The game ends through the usual teardown, but not as a game that ended well.
        std::fprintf(stderr, "glimmerwake: the display refused a request: %s; the game ends\n",
                     displayErrorText().c_str());
        postQuitMessage(1);
    }
    if (context.quitPosted) {
        return false;
    }
    if (context.videoStarted) {
        context.focusPause.beginFrame(frameStepGame());
    }
    SDL_Event event;
    if (!context.videoStarted || SDL_PollEvent(&event) == 0) {
        return true;
    }
    if (event.type == SDL_QUIT) {
        // The window was closed (or the process was told to stop): end after this frame.
        postQuitMessage(0);
    } else if (event.type == SDL_WINDOWEVENT &&
               event.window.event == SDL_WINDOWEVENT_SIZE_CHANGED) {
        resizeToDrawable(context.window);
    } else if (event.type == SDL_WINDOWEVENT) {
        noteFocusLeaving(event.window.event);
    }
    return true;
}
