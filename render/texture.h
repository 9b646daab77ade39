#pragma once

// An OpenGL texture name; 0 when the image could not be loaded, which draws as no image.
using TextureId = unsigned int;

// Loads a PNG file into a new texture: RGBA with the file's own alpha, the file's top row at
// t = 0 and its left column at s = 0, nearest filtering, clamped, no mipmaps. Returns 0 on any
// failure (missing, unreadable, not a PNG, larger than the context can hold, no context at all),
// silently: a missing image only means the surface that uses it is drawn without one.
TextureId loadTexture(const char* path);
