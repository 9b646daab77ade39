#pragma once

#include <EGL/egl.h>

// While it lives, no OpenGL context is current on this thread: every GL call the game makes then
// returns at once without doing anything, so what is left to time is the game's own work. The
// context that was current comes back when it goes.
class NoGlContext {
  public:
    NoGlContext()
        : display_(eglGetCurrentDisplay()), draw_(eglGetCurrentSurface(EGL_DRAW)),
          read_(eglGetCurrentSurface(EGL_READ)), context_(eglGetCurrentContext()) {
        if (context_ != EGL_NO_CONTEXT) {
            eglMakeCurrent(display_, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
        }
    }
    ~NoGlContext() {
        if (context_ != EGL_NO_CONTEXT) {
            eglMakeCurrent(display_, draw_, read_, context_);
        }
    }
    NoGlContext(const NoGlContext&) = delete;
    NoGlContext& operator=(const NoGlContext&) = delete;

  private:
    EGLDisplay display_;
    EGLSurface draw_;
    EGLSurface read_;
    EGLContext context_;
};
