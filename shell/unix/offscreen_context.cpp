#include "shell/common/offscreen_context.h"

#define GL_GLEXT_PROTOTYPES 1
#include <EGL/egl.h>
#include <EGL/eglext.h>
#include <GL/gl.h>
#include <GL/glext.h>
#include <algorithm>

namespace {

template <typename Function> Function eglFunction(const char* name) {
    return reinterpret_cast<Function>(eglGetProcAddress(name));
}

struct FramebufferCalls {
    PFNGLGENFRAMEBUFFERSPROC genFramebuffers;
    PFNGLBINDFRAMEBUFFERPROC bindFramebuffer;
    PFNGLGENRENDERBUFFERSPROC genRenderbuffers;
    PFNGLBINDRENDERBUFFERPROC bindRenderbuffer;
    PFNGLRENDERBUFFERSTORAGEPROC renderbufferStorage;
    PFNGLFRAMEBUFFERRENDERBUFFERPROC framebufferRenderbuffer;
    PFNGLCHECKFRAMEBUFFERSTATUSPROC checkFramebufferStatus;
    PFNGLDELETEFRAMEBUFFERSPROC deleteFramebuffers;
    PFNGLDELETERENDERBUFFERSPROC deleteRenderbuffers;

    bool complete() const {
        return genFramebuffers && bindFramebuffer && genRenderbuffers && bindRenderbuffer &&
               renderbufferStorage && framebufferRenderbuffer && checkFramebufferStatus &&
               deleteFramebuffers && deleteRenderbuffers;
    }
};

FramebufferCalls framebufferCalls() {
    return {eglFunction<PFNGLGENFRAMEBUFFERSPROC>("glGenFramebuffers"),
            eglFunction<PFNGLBINDFRAMEBUFFERPROC>("glBindFramebuffer"),
            eglFunction<PFNGLGENRENDERBUFFERSPROC>("glGenRenderbuffers"),
            eglFunction<PFNGLBINDRENDERBUFFERPROC>("glBindRenderbuffer"),
            eglFunction<PFNGLRENDERBUFFERSTORAGEPROC>("glRenderbufferStorage"),
            eglFunction<PFNGLFRAMEBUFFERRENDERBUFFERPROC>("glFramebufferRenderbuffer"),
            eglFunction<PFNGLCHECKFRAMEBUFFERSTATUSPROC>("glCheckFramebufferStatus"),
            eglFunction<PFNGLDELETEFRAMEBUFFERSPROC>("glDeleteFramebuffers"),
            eglFunction<PFNGLDELETERENDERBUFFERSPROC>("glDeleteRenderbuffers")};
}

EGLDisplay surfacelessDisplay() {
    const auto getPlatformDisplay =
        eglFunction<PFNEGLGETPLATFORMDISPLAYEXTPROC>("eglGetPlatformDisplayEXT");
    if (getPlatformDisplay == nullptr) {
        return EGL_NO_DISPLAY;
    }
    return getPlatformDisplay(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr);
}

} // namespace

OffscreenContext::OffscreenContext() {
    EGLDisplay display = surfacelessDisplay();
    if (display == EGL_NO_DISPLAY || !eglInitialize(display, nullptr, nullptr)) {
        error_ = "no EGL display without a window system (Mesa's surfaceless platform)";
        return;
    }
    display_ = display;
    const EGLint configAttributes[] = {EGL_RENDERABLE_TYPE, EGL_OPENGL_BIT, EGL_SURFACE_TYPE, 0,
                                       EGL_NONE};
    EGLConfig config = nullptr;
    EGLint configs = 0;
    if (!eglBindAPI(EGL_OPENGL_API) ||
        !eglChooseConfig(display, configAttributes, &config, 1, &configs) || configs < 1) {
        error_ = "no EGL configuration for desktop OpenGL";
        return;
    }
    EGLContext context = eglCreateContext(display, config, EGL_NO_CONTEXT, nullptr);
    if (context == EGL_NO_CONTEXT) {
        error_ = "cannot create an OpenGL context";
        return;
    }
    context_ = context;
    if (!eglMakeCurrent(display, EGL_NO_SURFACE, EGL_NO_SURFACE, context)) {
        error_ = "cannot make the OpenGL context current";
        return;
    }
    const FramebufferCalls gl = framebufferCalls();
    if (!gl.complete()) {
        error_ = "the OpenGL context has no framebuffer objects";
        return;
    }
    gl.genFramebuffers(1, &framebuffer_);
    gl.bindFramebuffer(GL_FRAMEBUFFER, framebuffer_);
    gl.genRenderbuffers(1, &colourBuffer_);
    gl.bindRenderbuffer(GL_RENDERBUFFER, colourBuffer_);
    gl.renderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, kWidth, kHeight);
    gl.framebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER,
                               colourBuffer_);
    gl.genRenderbuffers(1, &depthBuffer_);
    gl.bindRenderbuffer(GL_RENDERBUFFER, depthBuffer_);
    gl.renderbufferStorage(GL_RENDERBUFFER, GL_DEPTH_COMPONENT16, kWidth, kHeight);
    gl.framebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, depthBuffer_);
    if (gl.checkFramebufferStatus(GL_FRAMEBUFFER) != GL_FRAMEBUFFER_COMPLETE) {
        error_ = "the offscreen framebuffer is incomplete";
        return;
    }
    glViewport(0, 0, kWidth, kHeight);
    ok_ = true;
}

OffscreenContext::~OffscreenContext() {
    if (display_ == nullptr) {
        return;
    }
    if (framebuffer_ != 0) {
        const FramebufferCalls gl = framebufferCalls();
        gl.deleteRenderbuffers(1, &depthBuffer_);
        gl.deleteRenderbuffers(1, &colourBuffer_);
        gl.deleteFramebuffers(1, &framebuffer_);
    }
    eglMakeCurrent(display_, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
    if (context_ != nullptr) {
        eglDestroyContext(display_, context_);
    }
    // The display is not terminated: EGL hands every caller in the process the same display, so
    // terminating it would pull it from under any other context still using it.
}

std::vector<std::uint8_t> OffscreenContext::readRgb() const {
    std::vector<std::uint8_t> bottomUp(std::size_t{kWidth} * kHeight * 3);
    if (!ok_) {
        return bottomUp;
    }
    glFinish();
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, kWidth, kHeight, GL_RGB, GL_UNSIGNED_BYTE, bottomUp.data());
    // OpenGL's first row is the bottom of the picture.
    std::vector<std::uint8_t> topDown(bottomUp.size());
    const std::size_t rowBytes = std::size_t{kWidth} * 3;
    for (int y = 0; y < kHeight; ++y) {
        std::copy_n(bottomUp.data() + (kHeight - 1 - y) * rowBytes, rowBytes,
                    topDown.data() + y * rowBytes);
    }
    return topDown;
}
