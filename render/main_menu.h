#pragma once

#include "render/texture.h"

// One frame of the main menu: the backdrop, title, help text, the marker at `menuCursorY`, the
// entries and the credit line.
void drawMainMenu(TextureId menuTexture, float menuCursorY);
