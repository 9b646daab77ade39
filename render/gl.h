#pragma once

// The one place the game includes OpenGL from: fixed-function OpenGL 1.1 and GLU.
#include <GL/gl.h>
#include <GL/glu.h>
