#pragma once

// The one place the game includes OpenGL from: fixed-function OpenGL 1.1 and GLU.
#include <GL/gl.h>
#include <GL/glu.h>

#ifdef __EMSCRIPTEN__
// In the browser OpenGL is emulated over WebGL, which has no GL_CLAMP. The game's textures are
// sampled NEAREST, which never reaches the border GL_CLAMP would blend in, so clamping to the
// edge draws the very same texels. The other entry points WebGL lacks are made in shell/web/.
#undef GL_CLAMP
#define GL_CLAMP GL_CLAMP_TO_EDGE
#endif
